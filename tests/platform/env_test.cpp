#include <gtest/gtest.h>

#include <cstring>

#include "platform/env.h"
#include "platform/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using platform::Access;
using platform::Disposition;
using platform::ErrorKind;
using platform::Sharing;

platform::Env& env() { return platform::defaultEnv(); }

TEST(EnvTest, ReadsAndWritesAtOffsetsWithTheCountTransferred) {
  testing_support::TempFolder folder;
  std::string name = folder.file("data.bin");
  auto file = env().open(name, Access::ReadWrite, Sharing::DenyNone, Disposition::CreateNew).file;
  ASSERT_TRUE(file);

  auto written = file->writeAt(10, "abcdef", 6);
  EXPECT_EQ(written.count, 6u);
  EXPECT_EQ(written.error, ErrorKind::None);
  EXPECT_EQ(file->length().length, 16u);

  char buffer[8] = {};
  auto read = file->readAt(12, buffer, sizeof buffer);
  EXPECT_EQ(read.count, 4u) << "a read past the end stops there without an error";
  EXPECT_EQ(read.error, ErrorKind::None);
  EXPECT_EQ(std::memcmp(buffer, "cdef", 4), 0);
  EXPECT_EQ(file->readAt(100, buffer, 4).count, 0u);

  EXPECT_EQ(file->setLength(11), ErrorKind::None);
  EXPECT_EQ(file->length().length, 11u);
  file.reset();
  EXPECT_EQ(platform::readFileBytes(name).size(), 11u);
}

TEST(EnvTest, OpeningADispositionThatFailsGivesItsKind) {
  testing_support::TempFolder folder;
  std::string existing = folder.file("here.bin");
  ASSERT_TRUE(platform::writeFileBytes(existing, {'x'}));

  struct Case {
    std::string name;
    Disposition disposition;
    ErrorKind expected;
  } cases[] = {
      {folder.file("missing.qdb"), Disposition::OpenExisting, ErrorKind::NotFound},
      {folder.file("no-such-folder/missing.qdb"), Disposition::OpenExisting,
       ErrorKind::PathNotFound},
      {folder.file("no-such-folder/new.qdb"), Disposition::CreateOrTruncate,
       ErrorKind::PathNotFound},
  };
  for (const Case& c : cases) {
    auto opened = env().open(c.name, Access::Read, Sharing::DenyNone, c.disposition);
    EXPECT_FALSE(opened.file) << c.name;
    EXPECT_EQ(opened.error, c.expected) << c.name << ": " << platform::nameOf(opened.error);
  }
  EXPECT_FALSE(env().open(existing, Access::ReadWrite, Sharing::DenyNone, Disposition::CreateNew).file);
  EXPECT_EQ(platform::storeCodeOf(ErrorKind::NotFound), -3);
  EXPECT_EQ(platform::storeCodeOf(ErrorKind::PathNotFound), -4);
  EXPECT_EQ(platform::storeCodeOf(ErrorKind::LockViolation), -13);
}

TEST(EnvTest, ReadOnlyHandleRefusesWrites) {
  testing_support::TempFolder folder;
  std::string name = folder.file("ro.bin");
  ASSERT_TRUE(platform::writeFileBytes(name, {'a', 'b'}));
  auto file = env().open(name, Access::Read, Sharing::DenyNone, Disposition::OpenExisting).file;
  ASSERT_TRUE(file);
  auto written = file->writeAt(0, "z", 1);
  EXPECT_EQ(written.count, 0u);
  EXPECT_NE(written.error, ErrorKind::None);
}

TEST(EnvTest, FoldersNamesAndRenames) {
  testing_support::TempFolder folder;
  std::string sub = folder.file("tubiao");
  EXPECT_FALSE(env().exists(sub));
  EXPECT_EQ(env().createDirectory(sub), ErrorKind::None);
  EXPECT_TRUE(env().exists(sub));
  EXPECT_NE(env().createDirectory(folder.file("a/b")), ErrorKind::None) << "one level only";

  std::string from = folder.file("from.ico");
  std::string to = folder.file("to.ico");
  ASSERT_TRUE(platform::writeFileBytes(from, {'n', 'e', 'w'}));
  ASSERT_TRUE(platform::writeFileBytes(to, {'o', 'l', 'd'}));
  EXPECT_EQ(env().renameFile(from, to), ErrorKind::None) << "rename replaces the target";
  EXPECT_EQ(platform::readFileBytes(to), (platform::Bytes{'n', 'e', 'w'}));
  EXPECT_FALSE(env().exists(from));
  EXPECT_EQ(env().removeFile(to), ErrorKind::None);
  EXPECT_EQ(env().removeFile(to), ErrorKind::NotFound);

  std::string full = env().fullPath("relative.qdb");
  EXPECT_GT(full.size(), std::string("relative.qdb").size());
  EXPECT_EQ(full.substr(full.size() - 12), "relative.qdb");
  EXPECT_EQ(env().fullPath(""), "");
}

TEST(FileBytesTest, WholeFileHelpers) {
  testing_support::TempFolder folder;
  std::string name = folder.file("icon.jpg");
  EXPECT_TRUE(platform::readFileBytes("").empty());
  EXPECT_TRUE(platform::readFileBytes(folder.file("missing")).empty());
  EXPECT_FALSE(platform::writeFileBytes("", {'x'}));
  EXPECT_FALSE(platform::writeFileBytes(folder.file("no/such/name"), {'x'}));

  ASSERT_TRUE(platform::writeFileBytes(name, platform::Bytes(1000, 7)));
  ASSERT_TRUE(platform::writeFileBytes(name, {1, 2, 3})) << "an existing file is cut first";
  EXPECT_EQ(platform::readFileBytes(name), (platform::Bytes{1, 2, 3}));
  ASSERT_TRUE(platform::writeFileBytes(name, {}));
  EXPECT_TRUE(platform::readFileBytes(name).empty());
}

TEST(ClockTest, TickCountAdvancesAcrossASleep) {
  std::uint32_t before = env().tickCount();
  env().sleepMilliseconds(100);
  std::uint32_t elapsed = env().tickCount() - before;
  EXPECT_GE(elapsed, 80u) << "the tick count may move in steps of 10 to 16 ms";
  EXPECT_LT(elapsed, 5000u);
}

}  // namespace
