#pragma once
// A byte string with its length; empty bytes and absent bytes are the same.

#include <cstdint>
#include <vector>

namespace platform {
using Bytes = std::vector<std::uint8_t>;
}  // namespace platform
