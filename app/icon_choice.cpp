#include "app/icon_choice.h"

#include <vector>

#include "icons/byte_view.h"

namespace app {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint8_t kFewestTrayColours = 16;

struct DirectoryEntry {
  std::uint8_t width = 0;
  std::uint8_t colourCount = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t byteCount = 0;
  std::uint32_t offset = 0;
};

// The directory of icon-file bytes; nothing when the header is not an icon's or cursor's or
// an entry is not there in full.
std::optional<std::vector<DirectoryEntry>> readDirectory(const platform::Bytes& bytes) {
  icons::ByteView view(bytes);
  auto reserved = view.u16(0);
  auto type = view.u16(2);
  auto count = view.u16(4);
  if (!reserved || !type || !count || *reserved != 0 || (*type != 1 && *type != 2) || *count == 0)
    return std::nullopt;
  std::vector<DirectoryEntry> entries;
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t at = kHeaderSize + i * kEntrySize;
    if (!view.holds(at, kEntrySize)) return std::nullopt;
    entries.push_back(
        {*view.u8(at), *view.u8(at + 2), *view.u16(at + 6), *view.u32(at + 8), *view.u32(at + 12)});
  }
  return entries;
}

std::optional<icons::IconImage> imageOf(const platform::Bytes& bytes, const DirectoryEntry& entry) {
  auto image = icons::ByteView(bytes).range(entry.offset, entry.byteCount);
  if (!image) return std::nullopt;
  return icons::makeIconImage(platform::Bytes(image->begin(), image->end()));
}

}  // namespace

std::optional<icons::IconImage> chooseTrayImage(const platform::Bytes& iconFile,
                                                std::uint8_t widthByte) {
  auto entries = readDirectory(iconFile);
  if (!entries) return std::nullopt;
  for (const DirectoryEntry& entry : *entries) {
    if (entry.width == widthByte && entry.colourCount >= kFewestTrayColours)
      return imageOf(iconFile, entry);
  }
  return imageOf(iconFile, entries->back());
}

std::optional<icons::IconImage> chooseWindowIconImage(const platform::Bytes& iconFile, int side) {
  auto entries = readDirectory(iconFile);
  if (!entries) return std::nullopt;
  const std::uint8_t widthByte = static_cast<std::uint8_t>(side == 256 ? 0 : side);
  const DirectoryEntry* best = nullptr;
  for (const DirectoryEntry& entry : *entries) {
    if (entry.width == widthByte && (!best || entry.bitCount > best->bitCount)) best = &entry;
  }
  if (!best) return std::nullopt;
  return imageOf(iconFile, *best);
}

}  // namespace app
