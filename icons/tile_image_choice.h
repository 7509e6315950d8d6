#pragma once
// Which image of an icon or cursor file a tile shows, and at what nominal size, decided from
// the file's bytes alone (the file's name plays no part).

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/bytes.h"

namespace icons {

// What the first 8 bytes say the bytes are; fewer than 8 bytes are not recognised.
enum class PictureBytesKind { None, Bitmap, Jpeg, Png, Icon, Cursor, Gif, Pcx8, Pcx1 };

PictureBytesKind recognizePictureBytes(const platform::Bytes& bytes);

enum class TilePictureKind { Icon, Cursor };

struct TileImageChoice {
  platform::Bytes image;    // the chosen image's bytes, as the file holds them
  std::int32_t width = 0;   // nominal size from the image's own header (bytes 4 to 7, and
  std::int32_t height = 0;  // bytes 8 to 11 halved); from its IHDR chunk for a PNG image
  TilePictureKind kind = TilePictureKind::Icon;  // Cursor for a type 2 file
  std::size_t index = 0;                         // the chosen directory entry
};

// For bytes recognised as an icon or cursor file whose 6-byte header holds reserved 0, type 1
// or 2 and a count above 0: walks the 16-byte directory entries from the first and takes the
// first one whose width byte is 32 and whose colour-count byte is 16 or more, else the last.
// Nothing when the bytes are of another kind, an entry walked over or the chosen image lies
// beyond the bytes, or the nominal width or height is not above 0.
std::optional<TileImageChoice> chooseTileImage(const platform::Bytes& bytes);

}  // namespace icons
