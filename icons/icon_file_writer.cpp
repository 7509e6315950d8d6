#include "icons/icon_file_writer.h"

#include "icons/icon_file_layout.h"
#include "icons/image_header.h"

namespace icons {
namespace {

using ico::kEntrySize;
using ico::kHeaderSize;

constexpr std::size_t kImageSizeField = 20;

void putU16(platform::Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(platform::Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// 2 to the power (planes x bits per pixel) for palettes of fewer than 256 colours, else 0.
std::uint8_t colourCount(const ImageHeader& header) {
  const std::uint32_t bits = std::uint32_t{header.planes} * header.bitCount;
  return bits < 8 ? static_cast<std::uint8_t>(1u << bits) : 0;
}

}  // namespace

std::optional<platform::Bytes> encodeIconFile(const IconImageSet& set) {
  const std::size_t count = set.images.size();
  std::uint64_t total = kHeaderSize + std::uint64_t{count} * kEntrySize;
  for (const IconImage& image : set.images) total += image.bytes.size();
  if (count > 0xFFFF || total > 0xFFFFFFFFu) return std::nullopt;

  platform::Bytes out;
  out.reserve(static_cast<std::size_t>(total));
  putU16(out, 0);
  putU16(out, ico::kIconType);
  putU16(out, static_cast<std::uint16_t>(count));
  std::uint32_t offset = static_cast<std::uint32_t>(kHeaderSize + count * kEntrySize);
  for (const IconImage& image : set.images) {
    const ImageHeader header = readImageHeader(image.bytes);
    // Low 8 bits: a 256-pixel side is entered as 0.
    out.push_back(static_cast<std::uint8_t>(header.width));
    out.push_back(static_cast<std::uint8_t>(header.height));
    out.push_back(colourCount(header));
    out.push_back(0);
    putU16(out, header.planes);
    putU16(out, header.bitCount);
    putU32(out, image.byteCount());
    putU32(out, offset);
    offset += image.byteCount();
  }
  for (const IconImage& image : set.images) {
    const std::size_t start = out.size();
    out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    if (!isPngImage(image.bytes) && image.bytes.size() >= kImageSizeField + 4)
      std::fill_n(out.begin() + start + kImageSizeField, 4, 0);
  }
  return out;
}

}  // namespace icons
