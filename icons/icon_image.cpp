#include "icons/icon_image.h"

#include "icons/image_header.h"

namespace icons {

IconImage makeIconImage(platform::Bytes bytes) {
  IconImage image;
  ImageHeader header = readImageHeader(bytes);
  image.width = header.width;
  image.height = header.height;
  image.bytes = std::move(bytes);
  return image;
}

}  // namespace icons
