#include "app/tile_grid.h"

#include <algorithm>

namespace app {
namespace {

constexpr std::int32_t kColumns = 5;
constexpr std::int32_t kPitch = 64;
constexpr std::int32_t kMargin = 8;

}  // namespace

std::int32_t panelHeightFor(std::int32_t count) {
  const double quotient = static_cast<double>(count) / 5.0;
  const double height = quotient * 100.0;
  // Counts beyond about 107 million would not fit an int32; the window limits it far lower.
  return static_cast<std::int32_t>(
      std::clamp(height, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
}

TilePosition tilePositionOf(std::int32_t number) {
  const std::int32_t index = number - 1;
  return {index % kColumns * kPitch + kMargin, index / kColumns * kPitch + kMargin};
}

}  // namespace app
