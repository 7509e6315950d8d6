#pragma once
// Reading an icon file's directory and images from any byte source.

#include <optional>

#include "icons/byte_source.h"
#include "icons/icon_image.h"

namespace icons {

std::optional<IconImageSet> readIconFile(ByteSource& source);

}  // namespace icons
