// Reading icon files: exact reads of header, directory and images, or nothing.
#include "icons/icon_file.h"

#include <gtest/gtest.h>

#include "icons/icon_file_writer.h"
#include "platform/fault_injection_env.h"
#include "platform/file_bytes.h"
#include "tests/icons/pe_builder.h"
#include "tests/icons/test_files.h"

namespace {

using icons_test::bitmapImage;
using icons_test::putU16;
using icons_test::putU32;

platform::Bytes threeImageFile() {
  icons::IconImageSet set;
  for (auto [size, bits] : {std::pair{16, 4}, {32, 4}, {48, 32}})
    set.images.push_back(icons::makeIconImage(bitmapImage(size, size, bits)));
  return *icons::encodeIconFile(set);
}

TEST(IconFile, ReadsEveryImageInDirectoryOrder) {
  icons_test::ScratchFolder scratch;
  const platform::Bytes bytes = threeImageFile();
  ASSERT_TRUE(platform::writeFileBytes(scratch.path("three.ico"), bytes));
  auto set = icons::readIconFile(scratch.path("three.ico"));
  ASSERT_TRUE(set);
  ASSERT_EQ(set->count(), 3);
  EXPECT_EQ(set->images[0].width, 16);
  EXPECT_EQ(set->images[2].height, 48);
  const platform::Bytes last(bytes.end() - set->images[2].byteCount(), bytes.end());
  EXPECT_EQ(set->images[2].bytes, last);
}

TEST(IconFile, RefusesWhatIsNotAWholeIconFile) {
  const platform::Bytes good = threeImageFile();
  struct Case {
    const char* what;
    platform::Bytes bytes;
  };
  std::vector<Case> cases;
  auto changed = [&](auto change) {
    platform::Bytes bytes = good;
    change(bytes);
    return bytes;
  };
  cases.push_back({"empty file", {}});
  cases.push_back({"header cut short", platform::Bytes(good.begin(), good.begin() + 5)});
  cases.push_back({"cursor file", changed([](platform::Bytes& b) { putU16(b, 2, 2); })});
  cases.push_back({"reserved not 0", changed([](platform::Bytes& b) { putU16(b, 0, 1); })});
  cases.push_back({"directory shorter than its count",
                   platform::Bytes(good.begin(), good.begin() + 6 + 16 * 2 + 8)});
  cases.push_back({"third image beyond the end", platform::Bytes(good.begin(), good.end() - 1)});
  cases.push_back({"offset beyond the end",
                   changed([](platform::Bytes& b) { putU32(b, 6 + 16 + 12, 0xFFFFFFF0u); })});
  cases.push_back(
      {"absurd byte count", changed([](platform::Bytes& b) { putU32(b, 6 + 8, 0xFFFFFFFFu); })});
  icons_test::ScratchFolder scratch;
  for (const Case& c : cases) {
    ASSERT_TRUE(platform::writeFileBytes(scratch.path("bad.ico"), c.bytes) || c.bytes.empty());
    EXPECT_FALSE(icons::readIconFile(scratch.path("bad.ico"))) << c.what;
  }
  EXPECT_FALSE(icons::readIconFile(scratch.path("missing.ico")));
  EXPECT_FALSE(icons::readIconFile(""));
}

TEST(IconFile, FailedReadGivesNothing) {
  icons_test::ScratchFolder scratch;
  ASSERT_TRUE(platform::writeFileBytes(scratch.path("three.ico"), threeImageFile()));
  platform::FaultInjectionEnv faulty(platform::env());
  platform::ScopedEnv scoped(faulty);
  for (int n = 1; n <= 5; ++n) {
    faulty.failRead(n, platform::Fault::IoError);
    EXPECT_FALSE(icons::readIconFile(scratch.path("three.ico"))) << "read " << n << " fails";
    faulty.clearFaults();
  }
  EXPECT_TRUE(icons::readIconFile(scratch.path("three.ico")));
}

}  // namespace
