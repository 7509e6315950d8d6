#pragma once
// Reading an icon file (".ico") into the same form as a program's icon group.

#include <optional>
#include <string>

#include "icons/icon_image.h"

namespace icons {

// The images of the icon file at `path`, in its directory's order. Nothing when the file cannot
// be opened (it is opened for reading, shared with nobody while open), its reserved field is not
// 0, its type is not 1 (cursor files are refused), or any read of the header, the directory or
// an image delivers fewer bytes than asked.
std::optional<IconImageSet> readIconFile(const std::string& path);

}  // namespace icons
