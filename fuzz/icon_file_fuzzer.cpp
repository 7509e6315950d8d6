// Feeds bytes to the icon file reader and to the tile's choice of image, and writes what was
// read as icon and bitmap output.
#include <cstddef>
#include <cstdint>

#include "icons/bitmap_output.h"
#include "icons/icon_file_reader.h"
#include "icons/icon_file_writer.h"
#include "icons/tile_image_choice.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const platform::Bytes bytes(data, data + size);
  icons::chooseTileImage(bytes);
  icons::MemoryByteSource source(bytes);
  auto set = icons::readIconFile(source);
  if (!set) return 0;
  if (auto written = icons::encodeIconFile(*set)) icons::chooseTileImage(*written);
  if (!set->images.empty()) {
    icons::encodeBitmapFile(set->images.front());
    icons::clipboardBitmap(set->images.front());
  }
  return 0;
}
