// Appends from several processes at once, a process killed while it appends, and what every
// operation returns while another process holds a lock.

#include <chrono>
#include <map>
#include <memory>
#include <random>

#include "platform/env.h"
#include "store/inspect.h"
#include "tests/store/store_fixture.h"
#include "tests/store/test_entries.h"
#include "tests/support/child_process.h"
#include "tools/qdb/qdb_commands.h"

namespace store_test {
namespace {

using testing_support::besideThisProgram;
using testing_support::ChildProcess;

class ProcessTest : public StoreTest {
 protected:
  std::string emptyStore() {
    write("shared.QDT", AuxiliaryImage().bytes());
    return write("shared.qdb", launchEntryRemarkImage().bytes());
  }

  // The entry number in a program path that entryProgram made for the tag, or -1.
  static int entryNumber(const std::string& program, const std::string& tag) {
    std::string prefix = entryProgram(tag, 0);
    prefix.resize(prefix.size() - 5);  // without "0.exe"
    if (program.rfind(prefix, 0) != 0) return -1;
    return std::atoi(program.c_str() + prefix.size());
  }

  // The tag of appender p: "t0", "t1", ...
  static std::string tagOf(int p) { return std::string(1, 't').append(std::to_string(p)); }

  static int qdb(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    int status = qdb::run(arguments, out, err);
    EXPECT_EQ(err.str(), "");
    return status;
  }
};

TEST_F(ProcessTest, FourProcessesAppendingAtOnceLoseAndDoubleNothing) {
  constexpr int kProcesses = 4;
  constexpr int kEach = 500;
  std::string path = emptyStore();
  std::vector<std::unique_ptr<ChildProcess>> children;
  for (int p = 0; p < kProcesses; ++p)
    children.push_back(std::make_unique<ChildProcess>(
        besideThisProgram("store_test_child"),
        std::vector<std::string>{"append", path, tagOf(p), std::to_string(kEach)}));
  for (auto& child : children) {
    ASSERT_TRUE(child->started());
    EXPECT_EQ(child->wait(), 0);
  }

  ASSERT_TRUE(store::openDatabase(path, "", 1));
  ASSERT_EQ(store::countRecords(), kProcesses * kEach);
  std::map<std::pair<int, int>, int> seen;
  for (std::int32_t slot = 0; slot < kProcesses * kEach; ++slot) {
    ASSERT_TRUE(store::goToRecord(slot + 1));
    std::int32_t serial = 0;
    ASSERT_TRUE(store::readSerial(serial));
    EXPECT_EQ(serial, slot + 1);
    std::string program = store::readField("wenjian").text();
    for (int p = 0; p < kProcesses; ++p) {
      std::string tag = tagOf(p);
      int n = entryNumber(program, tag);
      if (n < 0) continue;
      ++seen[{p, n}];
      EXPECT_EQ(store::readField("tubiao").text(), entryRemark(tag, n)) << "slot " << slot;
    }
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kProcesses * kEach));
  for (const auto& [entry, times] : seen) EXPECT_EQ(times, 1);
  store::closeAllDatabases();
  EXPECT_EQ(qdb({"check", path}), 0);
}

// Killed at random moments, the appender leaves a file that always reopens with whole records.
TEST_F(ProcessTest, AnAppenderKilledAtRandomMomentsLeavesWholeRecords) {
#ifdef _WIN32
  constexpr int kRounds = 8;  // a process start costs about a second under Wine
#else
  constexpr int kRounds = 50;
#endif
  // Entry n lies in slot n, with serial n + 1.
  auto expectWholeRecords = [](std::int32_t from, std::int32_t to) {
    for (std::int32_t slot = from; slot < to; ++slot) {
      ASSERT_TRUE(store::goToRecord(slot + 1));
      std::int32_t serial = 0;
      ASSERT_TRUE(store::readSerial(serial));
      ASSERT_EQ(serial, slot + 1);
      ASSERT_EQ(store::readField("xuhao").text(), std::to_string(slot));
      ASSERT_EQ(store::readField("wenjian").text(), entryProgram("loop", slot));
      ASSERT_EQ(store::readField("tubiao").text(), entryRemark("loop", slot));
    }
  };
  std::string path = emptyStore();
  std::mt19937 random(20240611);
  std::int32_t previous = 0;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    {
      ChildProcess child(besideThisProgram("store_test_child"), {"append-loop", path});
      ASSERT_TRUE(child.started());
      // Once the appender is under way (the file has grown), it is killed 0 to 20 ms later.
      std::uintmax_t start = std::filesystem::file_size(path);
      for (int waited = 0; waited < 10000 && std::filesystem::file_size(path) == start; ++waited)
        platform::defaultEnv().sleepMilliseconds(1);
      platform::defaultEnv().sleepMilliseconds(std::uniform_int_distribution<std::uint32_t>(0, 20)(random));
      child.kill();
    }
    ASSERT_TRUE(store::openDatabase(path)) << store::lastStoreError();
    std::int32_t count = store::countRecords();
    ASSERT_GE(count, previous);
    // The records of earlier rounds are read again at the end.
    expectWholeRecords(previous, count);
    store::FreeListInfo freeList;
    EXPECT_TRUE(store::walkFreeList(freeList));
    previous = count;
    store::closeAllDatabases();
  }
  EXPECT_GT(previous, 0) << "the appender got to append";
  ASSERT_TRUE(store::openDatabase(path, "", 1));
  expectWholeRecords(0, previous);
}

// Another process holds one byte. On Windows byte-range locks are mandatory: a read of the
// byte through another handle fails too.
class HeldLock {
 public:
  HeldLock(const std::string& file, std::uint64_t offset, const std::string& marker)
      : marker_(marker),
        holder_(besideThisProgram("lock_holder"), {file, std::to_string(offset), marker}) {
    for (int waited = 0; waited < 20000 && !platform::env().exists(marker); waited += 10)
      platform::env().sleepMilliseconds(10);
  }
  ~HeldLock() {
    platform::env().removeFile(marker_);
    holder_.wait();
  }
  bool held() const { return platform::env().exists(marker_); }

 private:
  std::string marker_;
  ChildProcess holder_;
};

TEST_F(ProcessTest, OperationsWhileAnotherProcessHoldsTheCountLock) {
  DatabaseImage image = launchEntryImage();
  image.add(image.textRecord(1, {"0", "program"}));
  std::string path = write("held.qdb", image.bytes());
  ASSERT_TRUE(store::openDatabase(path, "first"));
  HeldLock lock(path, 16, folder_.file("holding"));
  ASSERT_TRUE(lock.held());

  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(store::countRecords(), 0);
  EXPECT_EQ(store::lastStoreError(), -13);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1900))
      << "a count waits about two seconds";
  EXPECT_FALSE(store::goToRecord(1));
  EXPECT_EQ(store::lastStoreError(), -13);
  EXPECT_FALSE(store::appendRecord({"1", "p", "q"}));
  EXPECT_EQ(store::lastStoreError(), -13);
  store::goToFirstRecord();
  EXPECT_EQ(store::readField("wenjian").text(), "program") << "the record itself is free";

  store::closeAllDatabases();
  EXPECT_FALSE(store::openDatabase(path));
  EXPECT_EQ(store::lastStoreError(), -13) << "the open's whole-file lock";
  bool opened = store::openDatabase(path, "", 0, 2);  // denying others: takes no locks
#ifdef _WIN32
  EXPECT_FALSE(opened);
  EXPECT_EQ(store::lastStoreError(), -12) << "the holder's handle reads and writes: sharing refused";
#else
  ASSERT_TRUE(opened) << "advisory locks do not stop a read";
  EXPECT_EQ(store::countRecords(), 1);
#endif
}

TEST_F(ProcessTest, OperationsWhileAnotherProcessHoldsARecordLock) {
  DatabaseImage image = launchEntryImage();
  image.add(image.textRecord(1, {"0", "first"}));
  image.add(image.textRecord(2, {"1", "second"}));
  std::string path = write("held.qdb", image.bytes());
  ASSERT_TRUE(store::openDatabase(path));
  HeldLock lock(path, image.dataStart(), folder_.file("holding"));
  ASSERT_TRUE(lock.held());

  EXPECT_EQ(store::countRecords(), 2);
  store::goToFirstRecord();
  store::StoreValue value = store::readField("wenjian");
  EXPECT_EQ(store::lastStoreError(), -13);
  EXPECT_EQ(value, store::StoreValue(""));
  ASSERT_TRUE(store::goToRecord(2));
  EXPECT_EQ(store::readField("wenjian").text(), "second");
  EXPECT_TRUE(store::appendRecord({"2", "third", "x"})) << "the new slot is free";
}

}  // namespace
}  // namespace store_test
