#pragma once
// The facts an icon image's own header gives: size, planes and bits per pixel. A bitmap image
// holds them at fixed positions of its bitmap information header; an image that begins with the
// PNG signature holds them in its IHDR chunk instead.

#include <cstdint>
#include <span>

namespace icons {

struct ImageHeader {
  bool png = false;
  std::int32_t width = 0;
  std::int32_t height = 0;  // of the picture alone: a bitmap header's height field halved
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
};

bool isPngImage(std::span<const std::uint8_t> image);

// Fields that the image is too short to hold are 0.
ImageHeader readImageHeader(std::span<const std::uint8_t> image);

}  // namespace icons
