// The panel's arithmetic: grid heights and places, picture placement, the tray's tip and
// event table, RunDirectory and the fatal error texts.

#include <gtest/gtest.h>

#include <set>

#include "app/fatal_error.h"
#include "app/icon_choice.h"
#include "app/panel_icon.h"
#include "app/picture_placement.h"
#include "app/run_directory.h"
#include "app/tile_grid.h"
#include "app/tray_icon.h"

namespace {

using namespace app;

TEST(TileGrid, HeightIsTwentyPerEntryOneLessWhereTheDoubleFallsShort) {
  const std::set<int> shortCounts = {23, 41, 46, 51, 82, 87, 92, 97};
  for (int count = 0; count <= 100; ++count) {
    const int expected = count * 20 - (shortCounts.count(count) ? 1 : 0);
    EXPECT_EQ(panelHeightFor(count), expected) << count << " entries";
  }
  EXPECT_EQ(panelHeightFor(INT32_MAX), INT32_MAX);  // clamped, not undefined
}

TEST(TileGrid, TilesSitInRowsOfFiveOnA64PixelPitch) {
  struct Case {
    int number, left, top;
  };
  const Case cases[] = {{1, 8, 8},   {2, 72, 8},     {5, 264, 8},     {6, 8, 72},
                        {7, 72, 72}, {23, 136, 264}, {100, 264, 1224}};
  for (const Case& c : cases) {
    const TilePosition place = tilePositionOf(c.number);
    EXPECT_EQ(place.left, c.left) << c.number;
    EXPECT_EQ(place.top, c.top) << c.number;
  }
}

TEST(PicturePlacement, CentredPicturesShrinkEvenlyAndNeverGrow) {
  struct Case {
    PictureRect area;
    int width, height;
    PictureRect drawn;
  };
  const Case cases[] = {
      {{0, 0, 80, 72}, 32, 32, {24, 20, 32, 32}}, {{0, 0, 80, 72}, 48, 48, {16, 12, 48, 48}},
      {{0, 0, 80, 72}, 16, 16, {32, 28, 16, 16}}, {{0, 0, 80, 72}, 256, 256, {4, 0, 72, 72}},
      {{0, 0, 48, 48}, 32, 32, {8, 8, 32, 32}},   {{0, 0, 40, 30}, 32, 32, {5, 0, 30, 30}},
      {{0, 0, 60, 60}, 256, 256, {0, 0, 60, 60}}, {{10, 20, 80, 72}, 32, 32, {34, 40, 32, 32}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(picturePlacement(2, c.area, c.width, c.height), c.drawn)
        << c.width << "x" << c.height << " in " << c.area.width << "x" << c.area.height;
  }
  // Mode 0 keeps the nominal size in the corner, whatever the area.
  EXPECT_EQ(picturePlacement(0, {3, 4, 20, 20}, 32, 32), (PictureRect{3, 4, 32, 32}));
}

TEST(TrayIcon, TipTakesAtMost62BytesZeroFilled) {
  const std::array<char, 64> shortTip = trayTipOf("\xB5\xE3\xCE\xD2\xD1\xBD");  // 点我呀
  EXPECT_EQ(std::string(shortTip.data()), "\xB5\xE3\xCE\xD2\xD1\xBD");
  EXPECT_TRUE(std::all_of(shortTip.begin() + 6, shortTip.end(), [](char c) { return c == 0; }));

  const std::array<char, 64> longTip = trayTipOf(std::string(100, 'x'));
  EXPECT_EQ(std::string(longTip.data()), std::string(62, 'x'));
  EXPECT_EQ(longTip[62], 0);
  EXPECT_EQ(longTip[63], 0);
}

TEST(TrayIcon, OnlyReleasesDoubleClicksAndTheMenuKeyRaiseEvents) {
  EXPECT_EQ(trayEventOf(0x0202), 1);  // left button released
  EXPECT_EQ(trayEventOf(0x0203), 2);  // left double click
  EXPECT_EQ(trayEventOf(0x0205), 3);  // right button released
  EXPECT_EQ(trayEventOf(0x007B), 3);  // context menu
  for (std::uint32_t other : {0x0200u, 0x0201u, 0x0204u, 0x0206u, 0x0207u, 0x0208u, 0x0209u}) {
    EXPECT_FALSE(trayEventOf(other)) << std::hex << other;
  }
}

// A minimal icon file: one directory entry per (width byte, colour count), each image a
// 40-byte header giving its width and doubled height.
platform::Bytes iconFile(const std::vector<std::pair<int, int>>& entries) {
  platform::Bytes bytes = {0, 0, 1, 0, static_cast<std::uint8_t>(entries.size()), 0};
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  auto put32 = [](platform::Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  for (auto [width, colours] : entries) {
    bytes.insert(bytes.end(), {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width),
                               static_cast<std::uint8_t>(colours), 0, 1, 0, 4, 0});
    put32(bytes, 40);
    put32(bytes, offset);
    offset += 40;
  }
  for (auto [width, colours] : entries) {
    put32(bytes, 40);
    put32(bytes, static_cast<std::uint32_t>(width));
    put32(bytes, static_cast<std::uint32_t>(width * 2));
    bytes.insert(bytes.end(), 28, 0);
  }
  return bytes;
}

TEST(TrayIcon, ChoosesTheFirst16PixelImageOfSixteenColoursElseTheLast) {
  auto chosen = chooseTrayImage(iconFile({{32, 16}, {16, 2}, {16, 16}, {48, 0}}), 16);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->width, 16);
  EXPECT_EQ(chosen->height, 16);

  chosen = chooseTrayImage(iconFile({{16, 0}, {32, 16}, {24, 0}}), 16);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->width, 24);  // none qualifies: the last
  chosen = chooseTrayImage(iconFile({{16, 0}, {32, 16}, {24, 0}}), 32);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->width, 32);

  // The panel's own icon has no image with a colour count: its last one, 16 pixels at 32 bits.
  chosen = chooseTrayImage(panelIconBytes(), 16);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->width, 16);
  EXPECT_EQ(chosen->bytes.size(), 1128u);

  EXPECT_FALSE(chooseTrayImage({}, 16));
  platform::Bytes truncated = iconFile({{16, 16}, {32, 0}});
  truncated.resize(20);  // the second entry is cut
  EXPECT_FALSE(chooseTrayImage(truncated, 16));
  platform::Bytes beyond = iconFile({{16, 16}});
  beyond.resize(beyond.size() - 1);  // the image lies partly beyond the bytes
  EXPECT_FALSE(chooseTrayImage(beyond, 16));
}

TEST(RunDirectory, IsEverythingBeforeTheLastBackslashOfTheProgramPath) {
  EXPECT_EQ(runDirectoryOf("C:\\Tools\\iconpanel.exe"), "C:\\Tools");
  EXPECT_EQ(runDirectoryOf("C:\\iconpanel.exe"), "C:");
  EXPECT_EQ(runDirectoryOf("iconpanel.exe"), "");
  // \x81\x5C is one double-byte character whose second byte is the backslash's byte.
  EXPECT_EQ(runDirectoryOf("C:\\\x81\x5C\\iconpanel.exe"), "C:\\\x81\x5C");
  EXPECT_EQ(runDirectoryOf("C:\\a\x81\x5Cpanel.exe"), "C:");

  EXPECT_EQ(entryStorePath("C:"), "C:\\tubiao\\wenjia.qdb");
  EXPECT_EQ(entryStorePath("D:\\Tools"), "D:\\Tools\\tubiao\\wenjia.qdb");
  EXPECT_EQ(workingDirectoryFor("C:"), "C:\\");
  EXPECT_EQ(workingDirectoryFor("C:\\Tools"), "C:\\Tools");
}

TEST(FatalError, TextHasTheHeadingThenTheNumberAndMessageWhenThereAreAny) {
  // 运行时出错! / 错误代码： / 错误信息： / 数据或数组类型不匹配
  const std::string heading = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";
  const std::string number = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";
  const std::string message = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";
  const std::string mismatch =
      "\xCA\xFD\xBE\xDD\xBB\xF2\xCA\xFD\xD7\xE9\xC0\xE0\xD0\xCD\xB2\xBB\xC6\xA5\xC5\xE4";
  EXPECT_EQ(fatalErrorText(5, mismatch),
            heading + number + "5\r\n\r\n" + message + mismatch + "\r\n");
  EXPECT_EQ(fatalErrorText(0, "x"), heading + message + "x\r\n");
  EXPECT_EQ(fatalErrorText(-66, ""), heading + number + "-66\r\n\r\n");
  EXPECT_EQ(fatalErrorText(0, ""), heading);
  // 分配 1234 字节内存失败!
  EXPECT_EQ(outOfMemoryMessage(1234),
            "\xB7\xD6\xC5\xE4 1234 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!");
}

}  // namespace
