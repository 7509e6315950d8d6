#pragma once
// Private to the code-page helpers: the platform's upper-case mapping of one double-byte
// character, given as its two bytes. Platforms without such a mapping return it unchanged.

#include <string>
#include <string_view>

namespace platform {
std::string upperDoubleByte(std::string_view character);
}  // namespace platform
