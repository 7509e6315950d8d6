// Wine's own program files, when installed, as a corpus made by others: every icon group that
// is listed must load, with images of a sane size, and writing it must give an icon file that
// reads back the same.
#include <gtest/gtest.h>

#include <filesystem>

#include "icons/extract_icon.h"
#include "icons/icon_file.h"
#include "icons/icon_groups.h"
#include "tests/icons/test_files.h"

namespace {

TEST(WineCorpus, EveryListedGroupLoads) {
  std::error_code error;
  std::filesystem::directory_iterator folder(ICONS_WINE_MODULES, error);
  if (error) GTEST_SKIP() << "no Wine modules at " << ICONS_WINE_MODULES;
  int files = 0;
  int groups = 0;
  for (const auto& entry : folder) {
    const std::string path = entry.path().string();
    const std::string extension = entry.path().extension().string();
    if (extension != ".dll" && extension != ".exe") continue;
    ++files;
    for (const icons::GroupKey& key : icons::listIconGroups(path)) {
      ++groups;
      auto set = icons::loadIconGroup(path, key);
      ASSERT_TRUE(set) << path << " group " << icons::describeGroupKey(key);
      for (const auto& image : set->images) {
        EXPECT_GT(image.width, 0) << path << " group " << icons::describeGroupKey(key);
        EXPECT_LE(image.width, 256) << path << " group " << icons::describeGroupKey(key);
      }
    }
  }
  EXPECT_GT(files, 100);
  EXPECT_GT(groups, 100);
}

TEST(WineCorpus, LastGroupOfTheShellLibraryRoundTrips) {
  const std::string shell = std::string(ICONS_WINE_MODULES) + "/shell32.dll";
  const std::vector<icons::GroupKey> keys = icons::listIconGroups(shell);
  if (keys.empty()) GTEST_SKIP() << "no " << shell;
  icons_test::ScratchFolder scratch;
  const int count = static_cast<int>(keys.size());
  ASSERT_EQ(icons::extractIconToFile(shell, scratch.path("last.ico"), count, icons::kOutputToFile),
            count);
  auto written = icons::readIconFile(scratch.path("last.ico"));
  auto group = icons::loadIconGroup(shell, keys.back());
  ASSERT_TRUE(written);
  ASSERT_TRUE(group);
  ASSERT_EQ(written->count(), group->count());
  for (std::size_t i = 0; i < group->images.size(); ++i) {
    EXPECT_EQ(written->images[i].width, group->images[i].width);
    EXPECT_EQ(written->images[i].byteCount(), group->images[i].byteCount());
  }
}

}  // namespace
