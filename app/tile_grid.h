#pragma once
// The grid arithmetic of the panel: its height from the number of entries, and the place of
// each tile in rows of five.

#include <cstdint>

namespace app {

// A rebuild keeps at most this many tiles; entries after the 100th get none.
inline constexpr std::int32_t kTileSlotCount = 100;

// count ÷ 5 × 100 in double precision, each step rounded to double, truncated toward zero:
// 20 per entry, one less for some counts (23 entries give 459).
std::int32_t panelHeightFor(std::int32_t count);

struct TilePosition {
  std::int32_t left = 0;
  std::int32_t top = 0;
};

// The tile of the 1-based entry `number`: columns and rows 64 pixels apart, the first at 8.
TilePosition tilePositionOf(std::int32_t number);

}  // namespace app
