// Short writes and input/output errors injected through the platform layer at each write of an
// append, and at each read of an open and a read.

#include "platform/fault_injection_env.h"
#include "store/inspect.h"
#include "tests/store/store_fixture.h"

namespace store_test {
namespace {

using platform::Fault;

class FaultTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    writeFiles();
  }

  // Two records whose remarks take one block each.
  void writeFiles() {
    DatabaseImage image = launchEntryRemarkImage();
    AuxiliaryImage aux;
    for (int i = 0; i < 2; ++i) {
      Bytes record = image.textRecord(i + 1, {std::to_string(i), program(i)});
      putInt32(record, 280, aux.add(block(0, 0, remark(i))));
      image.add(record);
    }
    path_ = write("faults.qdb", image.bytes());
    write("faults.QDT", aux.bytes());
  }

  static std::string program(int i) { return "C:\\programs\\" + std::to_string(i) + ".exe"; }
  // 1,200 bytes: a chain of three blocks, so an append makes six writes.
  static std::string remark(int i) { return std::string(i < 2 ? 10 : 1200, static_cast<char>('a' + i)); }

  // Reopened without faults: the store must hold exactly `count` whole records, a sound free
  // list, and take one more append whose chain shares no block with the others.
  void expectSoundStore(std::int32_t count) {
    store::closeAllDatabases();
    ASSERT_TRUE(store::openDatabase(path_)) << store::lastStoreError();
    ASSERT_EQ(store::countRecords(), count);
    ASSERT_TRUE(store::appendRecord({std::to_string(count), program(count), remark(count)}));
    store::FreeListInfo freeList;
    EXPECT_TRUE(store::walkFreeList(freeList));
    for (std::int32_t i = 0; i <= count; ++i) {
      ASSERT_TRUE(store::goToRecord(i + 1));
      EXPECT_EQ(store::readField("xuhao").text(), std::to_string(i));
      EXPECT_EQ(store::readField("wenjian").text(), program(i));
      EXPECT_EQ(store::readField("tubiao").text(), remark(i)) << "record " << i;
    }
    store::closeAllDatabases();
  }

  std::string path_;
};

TEST_F(FaultTest, AFailedWriteOfAnAppendLeavesASoundStore) {
  struct Expected {
    Fault fault;
    int chainCode;   // writes 1 to 4: the three blocks and the auxiliary header
    int recordCode;  // writes 5 and 6: the record and the counters
  };
  const Expected faults[] = {
      {Fault::ShortWrite, -59, -1},
      {Fault::IoError, -11, -11},
      {Fault::DiskFull, -14, -14},
  };
  for (const Expected& f : faults) {
    for (int n = 1; n <= 6; ++n) {
      SCOPED_TRACE("fault " + std::to_string(static_cast<int>(f.fault)) + " at write " + std::to_string(n));
      writeFiles();
      {
        platform::FaultInjectionEnv faulty(platform::defaultEnv());
        platform::ScopedEnv scoped(faulty);
        ASSERT_TRUE(store::openDatabase(path_));
        faulty.failWrite(n, f.fault);
        EXPECT_FALSE(store::appendRecord({"2", program(2), remark(2)}));
        EXPECT_EQ(store::lastStoreError(), n <= 4 ? f.chainCode : f.recordCode);
        EXPECT_EQ(store::countRecords(), 2);
        store::closeAllDatabases();
      }
      expectSoundStore(2);
    }
  }
}

TEST_F(FaultTest, AnAppendMakesSixWrites) {
  platform::FaultInjectionEnv counting(platform::defaultEnv());
  platform::ScopedEnv scoped(counting);
  ASSERT_TRUE(store::openDatabase(path_));
  int before = counting.writeCount();
  ASSERT_TRUE(store::appendRecord({"2", program(2), remark(2)}));
  EXPECT_EQ(counting.writeCount() - before, 6) << "the fault table above covers every write";
}

// When even putting the counters back fails, they claim at most the record that was written
// whole just before them.
TEST_F(FaultTest, CountersThatCannotBePutBackClaimOnlyAWholeRecord) {
  {
    platform::FaultInjectionEnv faulty(platform::defaultEnv());
    platform::ScopedEnv scoped(faulty);
    ASSERT_TRUE(store::openDatabase(path_));
    faulty.failWrite(6, Fault::ShortWrite, true);
    EXPECT_FALSE(store::appendRecord({"2", program(2), remark(2)}));
    store::closeAllDatabases();
  }
  store::closeAllDatabases();
  ASSERT_TRUE(store::openDatabase(path_));
  std::int32_t count = store::countRecords();
  ASSERT_TRUE(count == 2 || count == 3) << count;
  ASSERT_TRUE(store::goToRecord(count));
  EXPECT_EQ(store::readField("tubiao").text(), remark(count - 1));
}

// A read that fails anywhere in open, count, move and read ends that operation with a code;
// the store stays usable once the fault is gone.
TEST_F(FaultTest, AFailedReadEndsTheOperationCleanly) {
  for (int n = 1; n <= 16; ++n) {
    SCOPED_TRACE("read " + std::to_string(n));
    {
      platform::FaultInjectionEnv faulty(platform::defaultEnv());
      platform::ScopedEnv scoped(faulty);
      faulty.failRead(n, Fault::IoError);
      if (store::openDatabase(path_)) {
        std::int32_t count = store::countRecords();
        if (store::lastStoreError() == 0) {
          EXPECT_EQ(count, 2);
        }
        if (store::goToRecord(2)) {
          std::string value = store::readField("tubiao").text();
          if (store::lastStoreError() == 0) {
            EXPECT_EQ(value, remark(1));
          } else {
            EXPECT_EQ(value, "");
          }
        }
      } else {
        EXPECT_NE(store::lastStoreError(), 0);
        EXPECT_EQ(store::countRecords(), 0);
      }
      store::closeAllDatabases();
    }
    expectSoundStore(2);
    writeFiles();
  }
}

}  // namespace
}  // namespace store_test
