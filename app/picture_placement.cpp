#include "app/picture_placement.h"

#include <algorithm>

namespace app {
namespace {

PictureRect centred(PictureRect area, std::int32_t width, std::int32_t height) {
  if (width <= area.width) {
    area.left += (area.width - width) / 2;
    area.width = width;
  }
  if (height <= area.height) {
    area.top += (area.height - height) / 2;
    area.height = height;
  }
  std::int32_t drawnWidth = width;
  std::int32_t drawnHeight = height;
  if (width > area.width || height > area.height) {
    const double factor = std::min(static_cast<double>(area.width) / width,
                                   static_cast<double>(area.height) / height);
    drawnWidth = static_cast<std::int32_t>(width * factor);
    drawnHeight = static_cast<std::int32_t>(height * factor);
    area.left += (area.width - drawnWidth) / 2;
    area.top += (area.height - drawnHeight) / 2;
  }
  return {area.left, area.top, drawnWidth, drawnHeight};
}

}  // namespace

PictureRect picturePlacement(int mode, const PictureRect& area, std::int32_t pictureWidth,
                             std::int32_t pictureHeight) {
  if (mode == 2) return centred(area, pictureWidth, pictureHeight);
  return {area.left, area.top, pictureWidth, pictureHeight};
}

}  // namespace app
