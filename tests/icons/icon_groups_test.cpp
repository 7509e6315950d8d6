// Icon groups of program files made by the resource compiler from fixtures/*.rc.
#include "icons/icon_groups.h"

#include <gtest/gtest.h>

#include "icons/icon_file.h"
#include "icons/image_header.h"
#include "icons/source_kind.h"
#include "platform/file_bytes.h"
#include "tests/icons/test_files.h"

namespace {

using icons::GroupKey;
using icons_test::builtFixture;
using icons_test::sourceFixture;

struct ImageFacts {
  std::int32_t width;
  std::int32_t height;
  std::uint16_t bitCount;
  bool operator==(const ImageFacts&) const = default;
};

std::vector<ImageFacts> factsOf(const icons::IconImageSet& set) {
  std::vector<ImageFacts> facts;
  for (const auto& image : set.images)
    facts.push_back({image.width, image.height, icons::readImageHeader(image.bytes).bitCount});
  return facts;
}

TEST(IconGroups, OneGroupHasNumberOneAndNoSecond) {
  const std::string path = builtFixture("one_group.exe");
  icons::GroupEnumeration first = icons::enumerateIconGroups(path, 1);
  EXPECT_EQ(first.count, 1);
  EXPECT_EQ(first.key, GroupKey(std::uint16_t{1}));
  icons::GroupEnumeration second = icons::enumerateIconGroups(path, 2);
  EXPECT_EQ(second.count, 1);
  EXPECT_FALSE(second.key.has_value());
}

TEST(IconGroups, NamedGroupsComeFirstThenNumbersAscending) {
  const std::string path = builtFixture("mixed_groups.dll");
  const std::vector<GroupKey> expected = {GroupKey(u"APP"), GroupKey(u"MAINICON"),
                                          GroupKey(std::uint16_t{1}), GroupKey(std::uint16_t{5}),
                                          GroupKey(std::uint16_t{32512})};
  EXPECT_EQ(icons::listIconGroups(path), expected);
  for (int number = 1; number <= 5; ++number) {
    icons::GroupEnumeration found = icons::enumerateIconGroups(path, number);
    EXPECT_EQ(found.count, 5);
    EXPECT_EQ(found.key, expected[number - 1]) << "group number " << number;
  }
  EXPECT_EQ(icons::describeGroupKey(expected[1]), "\"MAINICON\"");
  EXPECT_EQ(icons::describeGroupKey(expected[4]), "32512");
}

TEST(IconGroups, GroupFoundByItsName) {
  const std::string path = builtFixture("named_group.exe");
  icons::GroupEnumeration found = icons::enumerateIconGroups(path, 1);
  ASSERT_EQ(found.count, 1);
  EXPECT_EQ(found.key, GroupKey(u"MAINICON"));
  auto set = icons::loadIconGroup(path, found.key);
  ASSERT_TRUE(set);
  EXPECT_EQ(factsOf(*set), (std::vector<ImageFacts>{{16, 16, 32}}));
}

TEST(IconGroups, ImagesAreTheWholeResourcesInGroupOrder) {
  auto set = icons::loadIconGroup(builtFixture("one_group.exe"), GroupKey(std::uint16_t{1}));
  ASSERT_TRUE(set);
  // 32 x 32 images whose headers hold 64 as their height.
  EXPECT_EQ(factsOf(*set), (std::vector<ImageFacts>{{32, 32, 4}, {16, 16, 4}, {32, 32, 8}}));
  EXPECT_EQ(set->images[0].bytes[8], 64);
  // The resource compiler copied the images of the icon file unchanged.
  auto file = icons::readIconFile(sourceFixture("three.ico"));
  ASSERT_TRUE(file);
  ASSERT_EQ(file->count(), set->count());
  for (std::size_t i = 0; i < set->images.size(); ++i)
    EXPECT_EQ(set->images[i].bytes, file->images[i].bytes) << "image " << i;
}

TEST(IconGroups, EveryBitDepthAndPngImages) {
  const std::string path = builtFixture("mixed_groups.dll");
  auto depths = icons::loadIconGroup(path, GroupKey(u"MAINICON"));
  ASSERT_TRUE(depths);
  EXPECT_EQ(factsOf(*depths),
            (std::vector<ImageFacts>{{16, 16, 1}, {16, 16, 4}, {16, 16, 8}, {32, 32, 32}}));
  // A PNG image's size comes from its IHDR chunk, not from bitmap-header positions.
  auto large = icons::loadIconGroup(path, GroupKey(u"APP"));
  ASSERT_TRUE(large);
  EXPECT_EQ(factsOf(*large), (std::vector<ImageFacts>{{48, 48, 32}, {256, 256, 32}}));
  EXPECT_TRUE(icons::isPngImage(large->images[1].bytes));
}

TEST(IconGroups, OneLanguageIsTakenForAGroupAndItsImages) {
  const std::string path = builtFixture("languages.dll");
  // Group 1 exists in two languages and counts once.
  EXPECT_EQ(icons::listIconGroups(path),
            (std::vector<GroupKey>{GroupKey(std::uint16_t{1}), GroupKey(std::uint16_t{2})}));
  // Group 1: the first language of the directory (English), and its English image.
  auto english = icons::loadIconGroup(path, GroupKey(std::uint16_t{1}));
  ASSERT_TRUE(english);
  EXPECT_EQ(factsOf(*english), (std::vector<ImageFacts>{{16, 16, 4}}));
  // Group 2 exists only in Chinese: its image is the Chinese one of the same number.
  auto chinese = icons::loadIconGroup(path, GroupKey(std::uint16_t{2}));
  ASSERT_TRUE(chinese);
  EXPECT_EQ(factsOf(*chinese), (std::vector<ImageFacts>{{32, 32, 4}}));
}

TEST(IconGroups, GroupIsReadWholeOrNotAtAll) {
  const std::string path = builtFixture("missing_image.dll");
  EXPECT_EQ(icons::enumerateIconGroups(path, 1).count, 1);
  EXPECT_FALSE(icons::loadIconGroup(path, GroupKey(std::uint16_t{1})));
}

TEST(IconGroups, KeysThatFindNothing) {
  const std::string path = builtFixture("mixed_groups.dll");
  EXPECT_FALSE(icons::loadIconGroup(path, std::nullopt));
  EXPECT_FALSE(icons::loadIconGroup(path, GroupKey(std::uint16_t{2})));
  EXPECT_FALSE(icons::loadIconGroup(path, GroupKey(u"MISSING")));
  EXPECT_FALSE(icons::loadIconGroup(builtFixture("absent.dll"), GroupKey(std::uint16_t{1})));
}

TEST(IconGroups, FilesWithoutIconGroupsCountZero) {
  icons_test::ScratchFolder scratch;
  // A 16-bit icon library: an "MZ" header that leads to "NE", not "PE".
  platform::Bytes newExecutable(128, 0);
  newExecutable[0] = 'M';
  newExecutable[1] = 'Z';
  newExecutable[0x3C] = 64;
  newExecutable[64] = 'N';
  newExecutable[65] = 'E';
  ASSERT_TRUE(platform::writeFileBytes(scratch.path("old.icl"), newExecutable));
  ASSERT_TRUE(platform::writeFileBytes(scratch.path("text.exe"), {'h', 'e', 'l', 'l', 'o'}));
  ASSERT_TRUE(platform::writeFileBytes(scratch.path("empty.dll"), {}));
  for (const std::string& path :
       {builtFixture("no_icons.exe"), builtFixture("no_resources.exe"), scratch.path("old.icl"),
        scratch.path("text.exe"), scratch.path("empty.dll"), scratch.path("missing.exe"),
        std::string()}) {
    icons::GroupEnumeration found = icons::enumerateIconGroups(path, 1);
    EXPECT_EQ(found.count, 0) << path;
    EXPECT_FALSE(found.key.has_value()) << path;
  }
}

TEST(SourceKind, IsToldByTheLastThreeBytesInAnyCase) {
  using icons::SourceKind;
  const std::pair<const char*, SourceKind> cases[] = {
      {"C:\\apps\\tool.exe", SourceKind::Module},
      {"C:\\apps\\TOOL.EXE", SourceKind::Module},
      {"lib.Dll", SourceKind::Module},
      {"set.icl", SourceKind::Module},
      {"noextensionexe", SourceKind::Module},
      {"picture.ICO", SourceKind::IconFile},
      {"tool.exe.txt", SourceKind::None},
      {"tool.ex", SourceKind::None},
      {"xe", SourceKind::None},
      {"", SourceKind::None},
      // "工具.exe" in GBK: the double-byte characters before the ending do not matter.
      {"\xB9\xA4\xBE\xDF.exe", SourceKind::Module},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(icons::sourceKindOf(path), kind) << path;
}

}  // namespace
