#include "icons/tile_image_choice.h"

#include <algorithm>

#include "icons/byte_view.h"
#include "icons/icon_file_layout.h"
#include "icons/image_header.h"

namespace icons {
namespace {

using namespace ico;

constexpr std::uint8_t kWantedWidth = 32;
constexpr std::uint8_t kFewestWantedColours = 16;

bool startsWith(const platform::Bytes& bytes, std::initializer_list<std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

}  // namespace

PictureBytesKind recognizePictureBytes(const platform::Bytes& bytes) {
  if (bytes.size() < 8) return PictureBytesKind::None;
  ByteView view(bytes);
  const std::uint16_t reserved = *view.u16(0);
  const std::uint16_t type = *view.u16(2);
  const std::uint16_t count = *view.u16(4);
  // Tried in this order; the first row that matches decides.
  if (startsWith(bytes, {0x42, 0x4D})) return PictureBytesKind::Bitmap;
  if (startsWith(bytes, {0xFF, 0xD8})) return PictureBytesKind::Jpeg;
  if (startsWith(bytes, {0x89, 0x50, 0x4E, 0x47})) return PictureBytesKind::Png;
  if (reserved == 0 && type == 1 && count > 0) return PictureBytesKind::Icon;
  if (reserved == 0 && type == kCursorType && count > 0) return PictureBytesKind::Cursor;
  if (startsWith(bytes, {0x47, 0x49, 0x46, 0x38}) && (bytes[4] == 0x37 || bytes[4] == 0x39) &&
      bytes[5] == 0x61)
    return PictureBytesKind::Gif;
  if (bytes[0] == 0x0A && bytes[1] <= 5 && bytes[2] == 0x01 && bytes[3] == 0x08)
    return PictureBytesKind::Pcx8;
  if (startsWith(bytes, {0x0A, 0x03, 0x01, 0x01})) return PictureBytesKind::Pcx1;
  return PictureBytesKind::None;
}

std::optional<TileImageChoice> chooseTileImage(const platform::Bytes& bytes) {
  const PictureBytesKind kind = recognizePictureBytes(bytes);
  if (kind != PictureBytesKind::Icon && kind != PictureBytesKind::Cursor) return std::nullopt;
  ByteView view(bytes);
  const std::uint16_t type = *view.u16(2);
  const std::uint16_t count = *view.u16(4);
  if (*view.u16(0) != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;

  std::size_t chosen = count - 1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kHeaderSize + i * kEntrySize;
    if (!view.holds(entry, kEntrySize)) return std::nullopt;
    if (*view.u8(entry + kEntryWidth) == kWantedWidth &&
        *view.u8(entry + kEntryColourCount) >= kFewestWantedColours) {
      chosen = i;
      break;
    }
  }
  const std::size_t entry = kHeaderSize + chosen * kEntrySize;
  auto image = view.range(*view.u32(entry + kEntryOffset), *view.u32(entry + kEntryByteCount));
  if (!image) return std::nullopt;

  const ImageHeader header = readImageHeader(*image);
  if (header.width <= 0 || header.height <= 0) return std::nullopt;
  TileImageChoice choice;
  choice.image.assign(image->begin(), image->end());
  choice.width = header.width;
  choice.height = header.height;
  choice.kind = type == kCursorType ? TilePictureKind::Cursor : TilePictureKind::Icon;
  choice.index = chosen;
  return choice;
}

}  // namespace icons
