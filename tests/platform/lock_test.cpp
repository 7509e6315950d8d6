#include <gtest/gtest.h>

#include "platform/env.h"
#include "platform/file_bytes.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

namespace {

using platform::Access;
using platform::Disposition;
using platform::LockResult;
using platform::Sharing;

class LockTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::writeFileBytes(name_, platform::Bytes(64, 0))); }

  std::unique_ptr<platform::File> openShared() {
    return platform::defaultEnv()
        .open(name_, Access::ReadWrite, Sharing::DenyNone, Disposition::OpenExisting)
        .file;
  }

  testing_support::TempFolder folder_;
  std::string name_ = folder_.file("locked.qdb");
};

TEST_F(LockTest, TwoHandlesOfOneProcessConflictAndReleaseFreesTheRange) {
  auto first = openShared();
  auto second = openShared();
  ASSERT_TRUE(first && second);

  EXPECT_EQ(first->lock(16, 1), LockResult::Locked);
  EXPECT_EQ(second->lock(16, 1), LockResult::HeldByOther);
  EXPECT_EQ(second->lock(0, 2147483647), LockResult::HeldByOther);
  EXPECT_EQ(second->lock(17, 1), LockResult::Locked) << "a neighbouring byte is free";

  EXPECT_EQ(first->unlock(16, 1), platform::ErrorKind::None);
  EXPECT_EQ(second->lock(16, 1), LockResult::Locked);
}

TEST_F(LockTest, LockSurvivesTheCloseOfAnotherHandleOfTheSameFile) {
  auto holder = openShared();
  auto bystander = openShared();
  ASSERT_EQ(holder->lock(16, 1), LockResult::Locked);
  bystander.reset();  // with process-wide locks this close would drop the holder's lock

  auto other = openShared();
  EXPECT_EQ(other->lock(16, 1), LockResult::HeldByOther);
}

TEST_F(LockTest, LockHeldByAnotherProcessIsAConflictUntilItEnds) {
  std::string marker = folder_.file("holding");
  testing_support::ChildProcess child(testing_support::besideThisProgram("lock_holder"),
                                      {name_, "16", marker});
  ASSERT_TRUE(child.started());
  platform::Env& env = platform::defaultEnv();
  for (int waited = 0; waited < 20000 && !env.exists(marker); waited += 10)
    env.sleepMilliseconds(10);
  ASSERT_TRUE(env.exists(marker)) << "the child never took its lock";

  auto mine = openShared();
  EXPECT_EQ(mine->lock(16, 1), LockResult::HeldByOther);

  ASSERT_EQ(env.removeFile(marker), platform::ErrorKind::None);
  EXPECT_EQ(child.wait(), 0);
  EXPECT_EQ(mine->lock(16, 1), LockResult::Locked);
}

}  // namespace
