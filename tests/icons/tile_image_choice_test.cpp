// Which image of an icon file a tile shows.
#include "icons/tile_image_choice.h"

#include <gtest/gtest.h>

#include "icons/extract_icon.h"
#include "icons/icon_file.h"
#include "icons/icon_file_writer.h"
#include "platform/file_bytes.h"
#include "tests/icons/pe_builder.h"
#include "tests/icons/test_files.h"

namespace {

using icons::PictureBytesKind;
using icons_test::bitmapImage;
using icons_test::putU16;
using icons_test::putU32;

// An icon file as the writer lays it out, from (side, bits) pairs.
platform::Bytes iconFile(std::initializer_list<std::pair<int, int>> images) {
  icons::IconImageSet set;
  for (auto [side, bits] : images)
    set.images.push_back(
        icons::makeIconImage(bitmapImage(side, side, static_cast<std::uint16_t>(bits))));
  return *icons::encodeIconFile(set);
}

platform::Bytes withPrefix(std::initializer_list<std::uint8_t> prefix) {
  platform::Bytes bytes(16, 0x33);
  std::copy(prefix.begin(), prefix.end(), bytes.begin());
  return bytes;
}

TEST(TileImageChoice, KindIsRecognisedFromTheFirstBytes) {
  const std::pair<platform::Bytes, PictureBytesKind> cases[] = {
      {withPrefix({'B', 'M'}), PictureBytesKind::Bitmap},
      // "BM" wins even over bytes that would also pass as an icon header.
      {withPrefix({'B', 'M', 1, 0, 1, 0}), PictureBytesKind::Bitmap},
      {withPrefix({0xFF, 0xD8}), PictureBytesKind::Jpeg},
      {withPrefix({0x89, 'P', 'N', 'G'}), PictureBytesKind::Png},
      {withPrefix({0, 0, 1, 0, 3, 0}), PictureBytesKind::Icon},
      {withPrefix({0, 0, 2, 0, 1, 0}), PictureBytesKind::Cursor},
      {withPrefix({0, 0, 1, 0, 0, 0}), PictureBytesKind::None},
      {withPrefix({'G', 'I', 'F', '8', '7', 'a'}), PictureBytesKind::Gif},
      {withPrefix({'G', 'I', 'F', '8', '9', 'a'}), PictureBytesKind::Gif},
      {withPrefix({'G', 'I', 'F', '8', '8', 'a'}), PictureBytesKind::None},
      {withPrefix({0x0A, 5, 1, 8}), PictureBytesKind::Pcx8},
      {withPrefix({0x0A, 6, 1, 8}), PictureBytesKind::None},
      {withPrefix({0x0A, 3, 1, 1}), PictureBytesKind::Pcx1},
      {platform::Bytes{0, 0, 1, 0, 1, 0, 0}, PictureBytesKind::None},  // fewer than 8 bytes
      {platform::Bytes{}, PictureBytesKind::None},
  };
  for (const auto& [bytes, kind] : cases)
    EXPECT_EQ(icons::recognizePictureBytes(bytes), kind) << testing::PrintToString(bytes);
}

TEST(TileImageChoice, FirstThirtyTwoWideOfSixteenColoursElseTheLast) {
  struct Case {
    const char* what;
    platform::Bytes bytes;
    std::size_t index;
    std::int32_t side;
  };
  const Case cases[] = {
      {"16 at 4, 32 at 4, 48 at 32", iconFile({{16, 4}, {32, 4}, {48, 32}}), 1, 32},
      {"32 at 32, then 16 at 32: none qualifies", iconFile({{32, 32}, {16, 32}}), 1, 16},
      {"32 at 8 only", iconFile({{32, 8}}), 0, 32},
      {"32 at 1 has 2 colours", iconFile({{32, 1}, {48, 8}}), 1, 48},
      {"first of two qualifying", iconFile({{32, 4}, {32, 4}, {16, 4}}), 0, 32},
  };
  for (const Case& c : cases) {
    auto choice = icons::chooseTileImage(c.bytes);
    ASSERT_TRUE(choice) << c.what;
    EXPECT_EQ(choice->index, c.index) << c.what;
    EXPECT_EQ(choice->width, c.side) << c.what;
    EXPECT_EQ(choice->height, c.side) << c.what;
    EXPECT_EQ(choice->kind, icons::TilePictureKind::Icon);
  }
}

TEST(TileImageChoice, CursorFilesAndTheChosenBytes) {
  platform::Bytes bytes = iconFile({{16, 4}, {32, 4}});
  putU16(bytes, 2, 2);
  auto choice = icons::chooseTileImage(bytes);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->kind, icons::TilePictureKind::Cursor);
  const std::uint32_t offset = bytes[6 + 16 + 12] | bytes[6 + 16 + 13] << 8;
  EXPECT_EQ(choice->image,
            platform::Bytes(bytes.begin() + offset, bytes.begin() + offset + choice->image.size()));
  EXPECT_EQ(choice->image.size(), bitmapImage(32, 32, 4).size());
}

TEST(TileImageChoice, NoPictureForBrokenOrForeignBytes) {
  const platform::Bytes good = iconFile({{16, 32}, {48, 32}});
  auto changed = [&](auto change) {
    platform::Bytes bytes = good;
    change(bytes);
    return bytes;
  };
  const std::pair<const char*, platform::Bytes> cases[] = {
      {"empty", {}},
      {"bitmap file", withPrefix({'B', 'M'})},
      {"directory cut inside the walk", platform::Bytes(good.begin(), good.begin() + 6 + 16 + 8)},
      {"chosen image beyond the end", platform::Bytes(good.begin(), good.end() - 1)},
      {"chosen image offset far away",
       changed([](platform::Bytes& b) { putU32(b, 6 + 16 + 12, 0xFFFFFFF0u); })},
      {"image too short for its size",
       changed([](platform::Bytes& b) { putU32(b, 6 + 16 + 8, 10); })},
      {"nominal width of zero", changed([](platform::Bytes& b) {
         putU32(b, (b[6 + 16 + 12] | b[6 + 16 + 13] << 8) + 4, 0);
       })},
  };
  for (const auto& [what, bytes] : cases) EXPECT_FALSE(icons::chooseTileImage(bytes)) << what;

  // The walk stops at the first qualifying entry: entries after it are never read.
  platform::Bytes stopsEarly = iconFile({{32, 4}, {16, 4}});
  putU16(stopsEarly, 4, 200);
  EXPECT_TRUE(icons::chooseTileImage(stopsEarly));
}

TEST(TileImageChoice, PngImageHasTheSizeOfItsHeader) {
  auto set = icons::readIconFile(icons_test::sourceFixture("large.ico"));
  ASSERT_TRUE(set);
  auto choice = icons::chooseTileImage(*icons::encodeIconFile(*set));
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->index, 1u);
  EXPECT_EQ(choice->width, 256);
  EXPECT_EQ(choice->height, 256);
}

TEST(TileImageChoice, AnExtractedProgramIconShowsItsSixteenColourImage) {
  icons_test::ScratchFolder scratch;
  ASSERT_EQ(icons::extractIconToFile(icons_test::builtFixture("one_group.exe"),
                                     scratch.path("tool.ICO"), 1, icons::kOutputToFile),
            1);
  auto choice = icons::chooseTileImage(platform::readFileBytes(scratch.path("tool.ICO")));
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->index, 0u);
  EXPECT_EQ(choice->width, 32);
}

}  // namespace
