#pragma once
// Where a label draws its picture inside its drawing area, by picture mode.

#include <cstdint>

namespace app {

struct PictureRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

// Mode 0: at its nominal size in the area's top-left corner. Mode 2: centred at its nominal
// size when it fits; otherwise shrunk by one factor for both directions (the smaller of the
// two ratios, in double precision, sizes truncated) until it fits, and centred. Never
// enlarged. Mode 1 repeats the picture and has no single place.
PictureRect picturePlacement(int mode, const PictureRect& area, std::int32_t pictureWidth,
                             std::int32_t pictureHeight);

}  // namespace app
