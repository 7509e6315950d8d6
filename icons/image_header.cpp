#include "icons/image_header.h"

#include <algorithm>
#include <array>

#include "icons/byte_view.h"

namespace icons {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The IHDR chunk must be the first chunk: its length (13) and type follow the signature.
constexpr std::size_t kIhdrLength = 8;
constexpr std::size_t kIhdrType = 12;
constexpr std::size_t kIhdrWidth = 16;
constexpr std::size_t kIhdrHeight = 20;
constexpr std::size_t kIhdrBitDepth = 24;
constexpr std::size_t kIhdrColourType = 25;

// Samples per pixel of each PNG colour type: grey, -, RGB, palette, grey + alpha, -, RGBA.
int samplesPerPixel(std::uint8_t colourType) {
  switch (colourType) {
    case 0:
      return 1;
    case 2:
      return 3;
    case 3:
      return 1;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 0;
  }
}

ImageHeader readPngHeader(ByteView view) {
  ImageHeader header;
  header.png = true;
  auto length = view.u32BigEndian(kIhdrLength);
  auto type = view.range(kIhdrType, 4);
  auto width = view.u32BigEndian(kIhdrWidth);
  auto height = view.u32BigEndian(kIhdrHeight);
  auto bitDepth = view.u8(kIhdrBitDepth);
  auto colourType = view.u8(kIhdrColourType);
  if (!length || *length != 13 || !type || !std::equal(type->begin(), type->end(), "IHDR") ||
      !colourType)
    return header;
  // PNG sizes are at most 2^31 - 1; larger values are not a PNG's.
  if (*width <= 0x7FFFFFFFu) header.width = static_cast<std::int32_t>(*width);
  if (*height <= 0x7FFFFFFFu) header.height = static_cast<std::int32_t>(*height);
  header.planes = 1;
  header.bitCount = static_cast<std::uint16_t>(*bitDepth * samplesPerPixel(*colourType));
  return header;
}

}  // namespace

bool isPngImage(std::span<const std::uint8_t> image) {
  return image.size() >= kPngSignature.size() &&
         std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin());
}

ImageHeader readImageHeader(std::span<const std::uint8_t> image) {
  ByteView view(image);
  if (isPngImage(image)) return readPngHeader(view);
  ImageHeader header;
  header.width = static_cast<std::int32_t>(view.u32(4).value_or(0));
  // The stored height covers the colour bits and the mask; halving rounds toward zero.
  header.height = static_cast<std::int32_t>(view.u32(8).value_or(0)) / 2;
  header.planes = view.u16(12).value_or(0);
  header.bitCount = view.u16(14).value_or(0);
  return header;
}

}  // namespace icons
