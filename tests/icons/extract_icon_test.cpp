// Writing an icon group as an icon file or a bitmap file.
#include "icons/extract_icon.h"

#include <gtest/gtest.h>

#include "icons/byte_view.h"
#include "icons/icon_groups.h"
#include "icons/image_header.h"
#include "platform/fault_injection_env.h"
#include "platform/file_bytes.h"
#include "tests/icons/test_files.h"

namespace {

using icons::ByteView;
using icons::extractIconToFile;
using icons::kOutputToFile;
using icons_test::builtFixture;
using icons_test::sourceFixture;

struct Entry {
  int width, height, colours, reserved, planes, bitCount;
  std::uint32_t byteCount, offset;
  bool operator==(const Entry&) const = default;
};

std::vector<Entry> directoryOf(const platform::Bytes& file) {
  ByteView view(file);
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < view.u16(4).value_or(0); ++i) {
    const std::size_t at = 6 + 16 * i;
    entries.push_back({*view.u8(at), *view.u8(at + 1), *view.u8(at + 2), *view.u8(at + 3),
                       *view.u16(at + 4), *view.u16(at + 6), *view.u32(at + 8),
                       *view.u32(at + 12)});
  }
  return entries;
}

platform::Bytes imageAt(const platform::Bytes& file, const Entry& entry) {
  return platform::Bytes(file.begin() + entry.offset,
                         file.begin() + entry.offset + entry.byteCount);
}

TEST(ExtractIcon, WritesTheGroupAsAnIconFile) {
  icons_test::ScratchFolder scratch;
  const std::string source = builtFixture("one_group.exe");
  ASSERT_EQ(extractIconToFile(source, scratch.path("one.ICO"), 1, kOutputToFile), 1);
  const platform::Bytes file = platform::readFileBytes(scratch.path("one.ICO"));
  ASSERT_GE(file.size(), 6u);
  EXPECT_EQ(ByteView(file).u16(0), 0);
  EXPECT_EQ(ByteView(file).u16(2), 1);
  const std::vector<Entry> entries = directoryOf(file);
  auto set = icons::loadIconGroup(source, icons::GroupKey(std::uint16_t{1}));
  ASSERT_TRUE(set);
  const std::uint32_t sizes[] = {set->images[0].byteCount(), set->images[1].byteCount(),
                                 set->images[2].byteCount()};
  const std::vector<Entry> expected = {
      {32, 32, 16, 0, 1, 4, sizes[0], 54},
      {16, 16, 16, 0, 1, 4, sizes[1], 54 + sizes[0]},
      {32, 32, 0, 0, 1, 8, sizes[2], 54 + sizes[0] + sizes[1]},
  };
  EXPECT_EQ(entries, expected);
  ASSERT_EQ(file.size(), 54u + sizes[0] + sizes[1] + sizes[2]);
  for (std::size_t i = 0; i < 3; ++i) {
    // Every image as the source holds it, except its image-size field, written as 0.
    platform::Bytes source = set->images[i].bytes;
    EXPECT_NE(ByteView(source).u32(20), 0u);
    std::fill_n(source.begin() + 20, 4, 0);
    EXPECT_EQ(imageAt(file, entries[i]), source) << "image " << i;
  }
}

TEST(ExtractIcon, PngImageIsWrittenUnchangedWithItsOwnSize) {
  icons_test::ScratchFolder scratch;
  const std::string source = builtFixture("mixed_groups.dll");
  // Group 1 is the named group APP: 48 x 48 at 32 bits, then 256 x 256 PNG.
  ASSERT_EQ(extractIconToFile(source, scratch.path("app.ico"), 1, kOutputToFile), 5);
  const platform::Bytes file = platform::readFileBytes(scratch.path("app.ico"));
  const std::vector<Entry> entries = directoryOf(file);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].width, 48);
  EXPECT_EQ(entries[0].bitCount, 32);
  EXPECT_EQ((std::vector<int>{entries[1].width, entries[1].height, entries[1].colours,
                              entries[1].planes, entries[1].bitCount}),
            (std::vector<int>{0, 0, 0, 1, 32}));
  auto set = icons::loadIconGroup(source, icons::GroupKey(u"APP"));
  ASSERT_TRUE(set);
  EXPECT_EQ(imageAt(file, entries[1]), set->images[1].bytes);
  EXPECT_EQ(icons::readImageHeader(imageAt(file, entries[1])).height, 256);
}

TEST(ExtractIcon, ResultIsTheNumberOfGroupsOrZero) {
  icons_test::ScratchFolder scratch;
  const std::string target = scratch.path("out.ico");
  const std::string mixed = builtFixture("mixed_groups.dll");
  for (int group = 1; group <= 5; ++group)
    EXPECT_EQ(extractIconToFile(mixed, target, group, kOutputToFile), 5) << group;
  // Group numbers below 1 act as 1.
  EXPECT_EQ(extractIconToFile(mixed, target, -3, kOutputToFile), 5);

  struct Case {
    const char* what;
    std::string source;
    std::string target;
    int group;
    int result;
  };
  const Case cases[] = {
      {"group past the last", builtFixture("one_group.exe"), "two.ico", 2, 0},
      {"no icon group", builtFixture("no_icons.exe"), "none.ico", 1, 0},
      {"source of no kind", sourceFixture("three.ico") + ".txt", "kind.ico", 1, 0},
      {"group that cannot be loaded", builtFixture("missing_image.dll"), "missing.ico", 1, 1},
      {"icon file that cannot be read", scratch.path("absent.ico"), "absent-out.ico", 1, 1},
      {"second group of an icon file", sourceFixture("three.ico"), "second.ico", 2, 0},
      {"target of another format", builtFixture("one_group.exe"), "picture.png", 1, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(extractIconToFile(c.source, scratch.path(c.target), c.group, kOutputToFile), c.result)
        << c.what;
    EXPECT_FALSE(platform::env().exists(scratch.path(c.target))) << c.what;
  }
  EXPECT_EQ(extractIconToFile(builtFixture("one_group.exe"), "", 1, kOutputToFile), 0);
}

TEST(ExtractIcon, TargetEndingAndSourceEndingInAnyCase) {
  icons_test::ScratchFolder scratch;
  const platform::Bytes program = platform::readFileBytes(builtFixture("one_group.exe"));
  ASSERT_TRUE(platform::writeFileBytes(scratch.path("TOOL.EXE"), program));
  ASSERT_TRUE(platform::writeFileBytes(scratch.path("tool.exe.txt"), program));
  EXPECT_EQ(extractIconToFile(scratch.path("TOOL.EXE"), scratch.path("a.Ico"), 1, kOutputToFile),
            1);
  EXPECT_EQ(
      extractIconToFile(scratch.path("tool.exe.txt"), scratch.path("b.ico"), 1, kOutputToFile), 0);
  EXPECT_EQ(scratch.listing(), "TOOL.EXE a.Ico tool.exe.txt");
}

TEST(ExtractIcon, IconFileSourceIsOneGroup) {
  icons_test::ScratchFolder scratch;
  ASSERT_EQ(
      extractIconToFile(sourceFixture("three.ico"), scratch.path("copy.ico"), 1, kOutputToFile), 1);
  // The same layout as from the program made of that icon file.
  ASSERT_EQ(extractIconToFile(builtFixture("one_group.exe"), scratch.path("from-exe.ico"), 1,
                              kOutputToFile),
            1);
  EXPECT_EQ(platform::readFileBytes(scratch.path("copy.ico")),
            platform::readFileBytes(scratch.path("from-exe.ico")));
}

TEST(ExtractIcon, ExistingTargetIsReplacedWhole) {
  icons_test::ScratchFolder scratch;
  const std::string target = scratch.path("old.ico");
  ASSERT_TRUE(platform::writeFileBytes(target, platform::Bytes(100000, 0xEE)));
  ASSERT_EQ(extractIconToFile(builtFixture("named_group.exe"), target, 1, kOutputToFile), 1);
  const platform::Bytes file = platform::readFileBytes(target);
  const std::vector<Entry> entries = directoryOf(file);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(file.size(), 22u + entries[0].byteCount);
}

TEST(ExtractIcon, FailedWriteKeepsTheEarlierFileAndLeavesNoOther) {
  icons_test::ScratchFolder scratch;
  const std::string target = scratch.path("kept.ico");
  const platform::Bytes earlier(300, 0x11);
  ASSERT_TRUE(platform::writeFileBytes(target, earlier));
  platform::FaultInjectionEnv faulty(platform::env());
  for (platform::Fault fault :
       {platform::Fault::ShortWrite, platform::Fault::DiskFull, platform::Fault::IoError}) {
    {
      platform::ScopedEnv scoped(faulty);
      faulty.failWrite(1, fault, /*sticky=*/true);
      // The result reports the groups, not the writing.
      EXPECT_EQ(extractIconToFile(builtFixture("one_group.exe"), target, 1, kOutputToFile), 1);
      faulty.clearFaults();
    }
    EXPECT_EQ(platform::readFileBytes(target), earlier);
    EXPECT_EQ(scratch.listing(), "kept.ico");
  }
}

TEST(ExtractIcon, BitmapFileOfTheFirstImage) {
  icons_test::ScratchFolder scratch;
  const std::string target = scratch.path("first.BMP");
  ASSERT_EQ(extractIconToFile(builtFixture("one_group.exe"), target, 1, kOutputToFile), 1);
  const platform::Bytes file = platform::readFileBytes(target);
  // 32 x 32 at 4 bits: 16 palette entries, 32 rows of 16 bytes, no mask.
  const std::uint32_t size = 14 + 40 + 16 * 4 + 32 * 16;
  ASSERT_EQ(file.size(), size);
  ByteView view(file);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(view.u32(2), size);
  EXPECT_EQ(view.u32(6), 0u);
  EXPECT_EQ(view.u32(10), 14u + 40 + 64);
  EXPECT_EQ(view.u32(14 + 4), 32u);
  EXPECT_EQ(view.u32(14 + 8), 32u);  // the header's height alone, without the mask
  auto set = icons::loadIconGroup(builtFixture("one_group.exe"), icons::GroupKey(std::uint16_t{1}));
  ASSERT_TRUE(set);
  EXPECT_TRUE(std::equal(file.begin() + 14 + 40, file.end(), set->images[0].bytes.begin() + 40));

  // The first image of group APP is 48 x 48 at 32 bits, with no palette.
  ASSERT_EQ(extractIconToFile(builtFixture("mixed_groups.dll"), target, 1, kOutputToFile), 5);
  EXPECT_EQ(platform::readFileBytes(target).size(), 14u + 40 + 48 * 48 * 4);
}

TEST(ExtractIcon, OtherModesActAsTheClipboardAndWriteNoFile) {
  icons_test::ScratchFolder scratch;
  const std::string target = scratch.path("never.ico");
  const std::string source = builtFixture("one_group.exe");
  EXPECT_EQ(extractIconToFile(source, target, 1, 5), 1);
  EXPECT_EQ(extractIconToFile(source, target, 1, -1), 1);
  EXPECT_EQ(extractIconToFile(source, target), 1);
  EXPECT_EQ(extractIconToFile(source), 1);
  EXPECT_FALSE(platform::env().exists(target));
}

}  // namespace
