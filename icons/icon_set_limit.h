#pragma once
// The most image bytes one icon group or icon file may bring into memory. A directory may list
// one large image many thousand times; real groups hold a few megabytes at most (a 256 x 256
// image at 32 bits is about 260 KB), so a larger total is refused instead of allocated.

#include <cstdint>

namespace icons {

inline constexpr std::uint64_t kMaxIconSetBytes = std::uint64_t{256} << 20;

}  // namespace icons
