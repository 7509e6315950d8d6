// exeicon: lists the icon groups of a program file, writes one as an icon or bitmap file, and
// shows which image of an icon file a panel tile would draw.
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "icons/byte_view.h"
#include "icons/extract_icon.h"
#include "icons/icon_file.h"
#include "icons/icon_groups.h"
#include "icons/image_header.h"
#include "icons/source_kind.h"
#include "icons/tile_image_choice.h"
#include "platform/file_bytes.h"

namespace {

constexpr const char* kUsage =
    "usage: exeicon groups FILE\n"
    "       exeicon extract FILE OUT [--group N] [--mode N]\n"
    "       exeicon show FILE.ico\n";

int usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

bool parseInt(std::string_view text, int& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

void printImages(const icons::IconImageSet& set) {
  std::printf("%u image%s", static_cast<unsigned>(set.count()), set.count() == 1 ? "" : "s");
  const char* separator = ": ";
  for (const icons::IconImage& image : set.images) {
    const icons::ImageHeader header = icons::readImageHeader(image.bytes);
    std::printf("%s%dx%d %u-bit%s", separator, image.width, image.height,
                static_cast<unsigned>(header.bitCount), header.png ? " PNG" : "");
    separator = ", ";
  }
  std::printf("\n");
}

int listGroups(const std::string& path) {
  if (icons::sourceKindOf(path) == icons::SourceKind::IconFile) {
    auto set = icons::readIconFile(path);
    std::printf("1\n");
    std::printf("1 (icon file): ");
    if (set) {
      printImages(*set);
    } else {
      std::printf("cannot be read\n");
    }
    return 0;
  }
  const std::vector<icons::GroupKey> keys = icons::listIconGroups(path);
  std::printf("%zu\n", keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    std::printf("%zu %s: ", i + 1, icons::describeGroupKey(keys[i]).c_str());
    if (auto set = icons::loadIconGroup(path, keys[i])) {
      printImages(*set);
    } else {
      std::printf("cannot be loaded\n");
    }
  }
  return keys.empty() ? 1 : 0;
}

int extract(int argc, char** argv) {
  if (argc < 4) return usage();
  int group = 1;
  int mode = icons::kOutputToFile;
  for (int i = 4; i < argc; i += 2) {
    const std::string_view option = argv[i];
    int* value = option == "--group" ? &group : option == "--mode" ? &mode : nullptr;
    if (!value || i + 1 >= argc || !parseInt(argv[i + 1], *value)) return usage();
  }
  const int result = icons::extractIconToFile(argv[2], argv[3], group, mode);
  std::printf("%d\n", result);
  return result > 0 ? 0 : 1;
}

const char* kindName(icons::PictureBytesKind kind) {
  switch (kind) {
    case icons::PictureBytesKind::None:
      return "not recognised";
    case icons::PictureBytesKind::Bitmap:
      return "bitmap";
    case icons::PictureBytesKind::Jpeg:
      return "JPEG";
    case icons::PictureBytesKind::Png:
      return "PNG";
    case icons::PictureBytesKind::Icon:
      return "icon";
    case icons::PictureBytesKind::Cursor:
      return "cursor";
    case icons::PictureBytesKind::Gif:
      return "GIF";
    case icons::PictureBytesKind::Pcx8:
      return "PCX, 8 bits";
    case icons::PictureBytesKind::Pcx1:
      return "PCX, 1 bit";
  }
  return "?";
}

int show(const std::string& path) {
  const platform::Bytes bytes = platform::readFileBytes(path);
  const icons::PictureBytesKind kind = icons::recognizePictureBytes(bytes);
  std::printf("%zu bytes, %s\n", bytes.size(), kindName(kind));
  if (kind == icons::PictureBytesKind::Icon || kind == icons::PictureBytesKind::Cursor) {
    icons::ByteView view(bytes);
    const unsigned count = *view.u16(4);
    std::printf("%u entries\n", count);
    std::printf("  #  width height colours planes bits      bytes     offset\n");
    for (unsigned i = 0; i < count; ++i) {
      const std::size_t at = 6 + 16 * std::size_t{i};
      if (!view.holds(at, 16)) {
        std::printf("%3u  (entry beyond the end)\n", i);
        break;
      }
      std::printf("%3u %6u %6u %7u %6u %4u %10u %10u\n", i, *view.u8(at), *view.u8(at + 1),
                  *view.u8(at + 2), *view.u16(at + 4), *view.u16(at + 6), *view.u32(at + 8),
                  *view.u32(at + 12));
    }
  }
  if (auto choice = icons::chooseTileImage(bytes)) {
    std::printf("tile shows entry %zu: %dx%d %s\n", choice->index, choice->width, choice->height,
                choice->kind == icons::TilePictureKind::Cursor ? "cursor" : "icon");
    return 0;
  }
  std::printf("tile shows no picture\n");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  const std::string_view command = argv[1];
  if (command == "groups" && argc == 3) return listGroups(argv[2]);
  if (command == "extract") return extract(argc, argv);
  if (command == "show" && argc == 3) return show(argv[2]);
  return usage();
}
