#pragma once
// The bytes of an icon file holding the images of one set.

#include <optional>

#include "icons/icon_image.h"

namespace icons {

// Header (reserved 0, type 1, image count), one 16-byte directory entry per image computed
// from the image's own bytes, then the images one after another in set order. A bitmap image
// is written with its image-size field (bytes 20 to 23) as 0; a PNG image is written unchanged,
// since those bytes hold its own IHDR height. Nothing when the file would exceed 32-bit offsets.
std::optional<platform::Bytes> encodeIconFile(const IconImageSet& set);

}  // namespace icons
