#pragma once
// Which image of the panel's icon file the notification area and the window frame show.

#include <cstdint>
#include <optional>

#include "icons/icon_image.h"
#include "platform/bytes.h"

namespace app {

// For icon-file bytes (reserved 0, type 1 or 2, a count above 0): the first directory entry
// whose width byte is `widthByte` and whose colour-count byte is 16 or more, else the last
// entry. Nothing for other bytes, a directory entry that is not there in full, or a chosen
// image that lies beyond the bytes.
std::optional<icons::IconImage> chooseTrayImage(const platform::Bytes& iconFile,
                                                std::uint8_t widthByte);

// The image of `side` pixels (256 is stored as width byte 0) with the most bits per pixel, the
// first of them when several tie; nothing when the icon has no image of that width.
std::optional<icons::IconImage> chooseWindowIconImage(const platform::Bytes& iconFile, int side);

}  // namespace app
