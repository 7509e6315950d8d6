#pragma once
// The first image of a group as a bitmap: a bitmap file, or the packed bitmap the clipboard
// takes.

#include <optional>

#include "icons/icon_image.h"

namespace icons {

// A bitmap file of the image's colour bits: 14-byte file header, the image's 40-byte header with
// its height field halved, its colour table and its colour rows; the transparency mask is left
// out. Nothing for a PNG image, a header of another size, or an image too short for what its
// header describes.
std::optional<platform::Bytes> encodeBitmapFile(const IconImage& image);

// The image's bytes with the header's height field halved, so that it describes the colour bits
// alone. Nothing for a PNG image or one shorter than its 40-byte header.
std::optional<platform::Bytes> clipboardBitmap(const IconImage& image);

}  // namespace icons
