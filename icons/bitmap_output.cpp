#include "icons/bitmap_output.h"

#include <algorithm>

#include "icons/byte_view.h"
#include "icons/image_header.h"

namespace icons {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kHeightField = 8;
constexpr std::size_t kColoursUsedField = 32;

void putU32At(platform::Bytes& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The header's height halved in place, rounded toward zero like the reader's.
void halveHeight(platform::Bytes& bytes, std::size_t headerStart) {
  const auto height = static_cast<std::int32_t>(*ByteView(bytes).u32(headerStart + kHeightField));
  putU32At(bytes, headerStart + kHeightField, static_cast<std::uint32_t>(height / 2));
}

bool isBitmapImage(const IconImage& image) {
  ByteView view(image.bytes);
  return !isPngImage(image.bytes) && view.u32(0) == kInfoHeaderSize;
}

}  // namespace

std::optional<platform::Bytes> encodeBitmapFile(const IconImage& image) {
  if (!isBitmapImage(image)) return std::nullopt;
  ByteView view(image.bytes);
  const ImageHeader header = readImageHeader(image.bytes);
  if (header.width <= 0 || header.height <= 0) return std::nullopt;

  std::uint64_t paletteEntries = *view.u32(kColoursUsedField);
  if (paletteEntries == 0) {
    switch (header.bitCount) {
      case 1:
        paletteEntries = 2;
        break;
      case 4:
        paletteEntries = 16;
        break;
      case 8:
        paletteEntries = 256;
        break;
      default:
        break;
    }
  }
  const std::uint64_t rowBytes =
      (std::uint64_t{static_cast<std::uint32_t>(header.width)} * header.planes * header.bitCount +
       31) /
      32 * 4;
  const std::uint64_t bitsBytes = rowBytes * static_cast<std::uint32_t>(header.height);
  const std::uint64_t tableBytes = 4 * paletteEntries;
  // Everything copied must be in the image: header, colour table and colour rows.
  const std::uint64_t copied = kInfoHeaderSize + tableBytes + bitsBytes;
  if (copied > image.bytes.size()) return std::nullopt;
  const std::uint64_t fileSize = kFileHeaderSize + copied;
  if (fileSize > 0xFFFFFFFFu) return std::nullopt;

  platform::Bytes out(kFileHeaderSize, 0);
  out[0] = 'B';
  out[1] = 'M';
  putU32At(out, 2, static_cast<std::uint32_t>(fileSize));
  putU32At(out, 10, static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + tableBytes));
  out.insert(out.end(), image.bytes.begin(),
             image.bytes.begin() + static_cast<std::ptrdiff_t>(copied));
  halveHeight(out, kFileHeaderSize);
  return out;
}

std::optional<platform::Bytes> clipboardBitmap(const IconImage& image) {
  if (!isBitmapImage(image) || image.bytes.size() < kInfoHeaderSize) return std::nullopt;
  platform::Bytes packed = image.bytes;
  halveHeight(packed, 0);
  return packed;
}

}  // namespace icons
