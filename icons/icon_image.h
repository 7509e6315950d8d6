#pragma once
// One icon image and the images of one icon group, as read from a program file's resources or
// from an icon file.

#include <cstdint>
#include <vector>

#include "platform/bytes.h"

namespace icons {

struct IconImage {
  // The image's bytes, unchanged and complete: a bitmap image (40-byte bitmap information
  // header, colour table, colour bits, transparency mask) or a PNG-compressed image.
  platform::Bytes bytes;
  // From the image's own header: bytes 4 to 7, and bytes 8 to 11 halved (the header's height
  // counts colour bits and mask together). A PNG image gives the size of its IHDR chunk. An
  // image too short to hold a field has 0 there.
  std::int32_t width = 0;
  std::int32_t height = 0;

  std::uint32_t byteCount() const { return static_cast<std::uint32_t>(bytes.size()); }
};

// The images of one group, in the order its directory lists them; its size is the directory's
// own image count (a group is read whole or not at all).
struct IconImageSet {
  std::vector<IconImage> images;

  std::uint16_t count() const { return static_cast<std::uint16_t>(images.size()); }
};

// An IconImage made from image bytes: width and height derived from the bytes as above.
IconImage makeIconImage(platform::Bytes bytes);

}  // namespace icons
