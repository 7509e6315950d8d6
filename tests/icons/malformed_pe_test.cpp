// PE files built byte by byte: both header forms, and every way the headers and the resource
// tree can point outside the file or back at themselves.
#include <gtest/gtest.h>

#include "icons/pe_resources.h"
#include "tests/icons/pe_builder.h"

namespace {

using icons::GroupKey;
using icons_test::bitmapImage;
using icons_test::BuiltPe;
using icons_test::groupDirectory;
using icons_test::putU16;
using icons_test::putU32;
using icons_test::Resource;

std::optional<std::vector<GroupKey>> groupsOf(const platform::Bytes& bytes) {
  icons::MemoryByteSource source(bytes);
  auto resources = icons::PeResources::open(source);
  if (!resources) return std::nullopt;
  return resources->keysOfType(icons::kIconGroupResourceType);
}

std::optional<icons::IconImageSet> loadFrom(const platform::Bytes& bytes, const GroupKey& key) {
  icons::MemoryByteSource source(bytes);
  auto resources = icons::PeResources::open(source);
  if (!resources) return std::nullopt;
  return resources->loadIconGroup(key);
}

// Group 7 of one 32 x 32 image, whose data is the last thing in the file.
BuiltPe oneGroup(bool pe32Plus = true) {
  return icons_test::buildPe({{14, std::uint16_t{7}, 0, groupDirectory({1})},
                              {3, std::uint16_t{1}, 0, bitmapImage(32, 32, 4)}},
                             pe32Plus);
}

// Offsets inside the resource section of the fixture above: root (one entry per type, 3 then
// 14), then the type directories, then the language directories.
constexpr std::size_t kRootEntries = 16;
constexpr std::size_t kIconTypeDirectory = 16 + 2 * 8;
constexpr std::size_t kGroupTypeDirectory = kIconTypeDirectory + 16 + 8;
constexpr std::size_t kIconLanguages = kGroupTypeDirectory + 16 + 8;
constexpr std::size_t kGroupLanguages = kIconLanguages + 16 + 8;

TEST(PeResources, BothHeaderFormsGiveTheSameGroupsInEnumerationOrder) {
  for (bool pe32Plus : {false, true}) {
    SCOPED_TRACE(pe32Plus ? "PE32+" : "PE32");
    // Names keep the directory's order; numbers are reported ascending even when the
    // directory holds them out of order.
    BuiltPe pe = icons_test::buildPe({{14, u"ZETA", 0, groupDirectory({1})},
                                      {14, std::uint16_t{9}, 0, groupDirectory({1, 2})},
                                      {14, u"ALPHA", 0, groupDirectory({2})},
                                      {14, std::uint16_t{2}, 0, groupDirectory({2})},
                                      {3, std::uint16_t{1}, 0, bitmapImage(16, 16, 8)},
                                      {3, std::uint16_t{2}, 0, bitmapImage(32, 32, 1)}},
                                     pe32Plus);
    EXPECT_EQ(groupsOf(pe.bytes),
              (std::vector<GroupKey>{GroupKey(u"ZETA"), GroupKey(u"ALPHA"),
                                     GroupKey(std::uint16_t{2}), GroupKey(std::uint16_t{9})}));
    auto set = loadFrom(pe.bytes, GroupKey(std::uint16_t{9}));
    ASSERT_TRUE(set);
    ASSERT_EQ(set->count(), 2);
    EXPECT_EQ(set->images[0].width, 16);
    EXPECT_EQ(set->images[1].height, 32);
  }
}

TEST(PeResources, TruncationAnywhereFailsCleanly) {
  const BuiltPe pe = oneGroup();
  const std::size_t endOfGroupDirectory = pe.sectionOffset + kGroupTypeDirectory + 16 + 8;
  ASSERT_TRUE(loadFrom(pe.bytes, GroupKey(std::uint16_t{7})));
  for (std::size_t length = 0; length < pe.bytes.size(); ++length) {
    const platform::Bytes cut(pe.bytes.begin(), pe.bytes.begin() + length);
    if (length < endOfGroupDirectory) {
      EXPECT_FALSE(groupsOf(cut)) << "cut at " << length;
    }
    EXPECT_FALSE(loadFrom(cut, GroupKey(std::uint16_t{7}))) << "cut at " << length;
  }
}

TEST(PeResources, DamagedHeadersMeanNoResources) {
  const BuiltPe pe = oneGroup();
  struct Damage {
    const char* what;
    void (*apply)(platform::Bytes&, const BuiltPe&);
  };
  const Damage cases[] = {
      {"no MZ", [](platform::Bytes& b, const BuiltPe&) { b[0] = 'X'; }},
      {"PE offset beyond the file",
       [](platform::Bytes& b, const BuiltPe&) { putU32(b, 0x3C, 0xFFFFFFF0u); }},
      {"no PE signature", [](platform::Bytes& b, const BuiltPe& p) { b[p.peOffset + 1] = 'X'; }},
      {"unknown optional header magic",
       [](platform::Bytes& b, const BuiltPe& p) { putU16(b, p.optionalHeaderOffset, 0x107); }},
      {"optional header too short for the resource directory",
       [](platform::Bytes& b, const BuiltPe& p) { putU16(b, p.peOffset + 20, 100); }},
      {"two data directories only",
       [](platform::Bytes& b, const BuiltPe& p) { putU32(b, p.optionalHeaderOffset + 108, 2); }},
      {"no resource directory",
       [](platform::Bytes& b, const BuiltPe& p) { putU32(b, p.resourceDirectoryField, 0); }},
      {"section table beyond the file",
       [](platform::Bytes& b, const BuiltPe& p) { putU16(b, p.peOffset + 6, 0xFFFF); }},
      {"resource RVA outside every section",
       [](platform::Bytes& b, const BuiltPe& p) { putU32(b, p.resourceDirectoryField, 0x90000); }},
      {"section bytes beyond the file",
       [](platform::Bytes& b, const BuiltPe& p) {
         putU32(b, p.sectionTableOffset + 20, 0x7FFFFF00);
       }},
      {"section of no bytes",
       [](platform::Bytes& b, const BuiltPe& p) { putU32(b, p.sectionTableOffset + 16, 0); }},
      {"absurd root entry counts",
       [](platform::Bytes& b, const BuiltPe& p) {
         putU16(b, p.sectionOffset + 12, 0xFFFF);
         putU16(b, p.sectionOffset + 14, 0xFFFF);
       }},
      {"icon group type is a data entry",
       [](platform::Bytes& b, const BuiltPe& p) {
         putU32(b, p.sectionOffset + kRootEntries + 8 + 4, kGroupLanguages + 16);
       }},
  };
  for (const Damage& damage : cases) {
    platform::Bytes bytes = pe.bytes;
    damage.apply(bytes, pe);
    EXPECT_FALSE(groupsOf(bytes)) << damage.what;
    EXPECT_FALSE(loadFrom(bytes, GroupKey(std::uint16_t{7}))) << damage.what;
  }
}

TEST(PeResources, TreesThatLoopOrNestTooDeepFailTheGroup) {
  const BuiltPe pe = oneGroup();
  const std::size_t root = pe.sectionOffset;
  struct Damage {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    bool sixteenBits = false;
  };
  const Damage cases[] = {
      {"group's languages are the root", root + kGroupTypeDirectory + 16 + 4, 0x80000000u},
      {"group's languages are its own type directory", root + kGroupTypeDirectory + 16 + 4,
       0x80000000u | kGroupTypeDirectory},
      {"language entry is a directory of itself", root + kGroupLanguages + 16 + 4,
       0x80000000u | kGroupLanguages},
      {"image's language entry points back at the root", root + kIconLanguages + 16 + 4,
       0x80000000u},
      {"absurd language count", root + kGroupLanguages + 14, 0xFFFF, true},
      {"absurd image directory count", root + kIconTypeDirectory + 12, 0xFFFF, true},
      {"data entry beyond the section", root + kGroupLanguages + 16 + 4, 0x7FFFFFF0u},
  };
  for (const Damage& damage : cases) {
    platform::Bytes bytes = pe.bytes;
    if (damage.sixteenBits) {
      putU16(bytes, damage.at, static_cast<std::uint16_t>(damage.value));
    } else {
      putU32(bytes, damage.at, damage.value);
    }
    EXPECT_FALSE(loadFrom(bytes, GroupKey(std::uint16_t{7}))) << damage.what;
  }

  // The icon group type pointing back at the root: the root's own entries (3 and 14) are then
  // taken for groups, and neither loads.
  platform::Bytes looped = pe.bytes;
  putU32(looped, root + kRootEntries + 8 + 4, 0x80000000u);
  EXPECT_EQ(groupsOf(looped),
            (std::vector<GroupKey>{GroupKey(std::uint16_t{3}), GroupKey(std::uint16_t{14})}));
  EXPECT_FALSE(loadFrom(looped, GroupKey(std::uint16_t{3})));
  EXPECT_FALSE(loadFrom(looped, GroupKey(std::uint16_t{14})));
}

TEST(PeResources, GroupDirectoryIsReadOnlyWithinItsResource) {
  BuiltPe pe = oneGroup();
  // The group resource is 20 bytes; a count of 2 would need 34.
  const std::size_t groupData = pe.bytes.size() - bitmapImage(32, 32, 4).size() - 24;
  ASSERT_EQ(pe.bytes[groupData + 4], 1);
  putU16(pe.bytes, groupData + 4, 2);
  EXPECT_FALSE(loadFrom(pe.bytes, GroupKey(std::uint16_t{7})));
  // A group of no images is an empty set.
  putU16(pe.bytes, groupData + 4, 0);
  auto empty = loadFrom(pe.bytes, GroupKey(std::uint16_t{7}));
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->count(), 0);
}

TEST(PeResources, NameOutsideTheResourceDataIsNoGroup) {
  BuiltPe pe = icons_test::buildPe({{14, u"BAD", 0, groupDirectory({1})},
                                    {14, u"GOOD", 0, groupDirectory({1})},
                                    {3, std::uint16_t{1}, 0, bitmapImage(16, 16, 4)}});
  // First entry of the group type directory (after root with two types and the icon type
  // directory with one entry).
  putU32(pe.bytes, pe.sectionOffset + kGroupTypeDirectory + 16, 0x80000000u | 0x7FFFFF00u);
  EXPECT_EQ(groupsOf(pe.bytes), (std::vector<GroupKey>{GroupKey(u"GOOD")}));
  EXPECT_TRUE(loadFrom(pe.bytes, GroupKey(u"GOOD")));
}

}  // namespace
