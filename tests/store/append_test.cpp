// Appending records: which values fit which fields, how they are stored, and what a held lock
// does to an append.

#include <chrono>
#include <cstring>
#include <thread>

#include "platform/env.h"
#include "tests/store/store_fixture.h"

namespace store_test {
namespace {

using store::StoreValue;

class AppendTest : public StoreTest {
 protected:
  // One field of each numeric type and one each of the other kinds.
  std::string typedStore() {
    DatabaseImage image;
    image.recordSize = 4 + 1 + 2 + 4 + 8 + 4 + 8 + 1 + 8 + 4 + 8;
    image.fields = {
        {"b", kByte, 4}, {"s", kShort, 5}, {"i", kInt, 7}, {"l", kLong, 11},
        {"f", kFloat, 19}, {"d", kDouble, 23}, {"flag", kBool, 31}, {"when", kDateTime, 32},
        {"routine", kRoutineRef, 40}, {"t", kText, 44, 8},
    };
    return write("typed.qdb", image.bytes());
  }

  // Appends the value to field `index` (0-based) alone and reads the field back.
  StoreValue roundTrip(std::size_t index, const StoreValue& value) {
    std::vector<StoreValue> values(index + 1);
    values[index] = value;
    EXPECT_TRUE(store::appendRecord(values)) << store::lastStoreError();
    return store::readField(static_cast<std::int32_t>(index + 1));
  }
};

TEST_F(AppendTest, AValueOfTheWrongKindFailsBeforeAnythingIsWritten) {
  std::string path = typedStore();
  ASSERT_TRUE(store::openDatabase(path));
  Bytes before = read(path);
  const std::pair<std::size_t, StoreValue> cases[] = {
      {2, "12"},                           // text for Int
      {2, StoreValue::ofBool(true)},       // bool for Int
      {5, StoreValue::ofDateTime(1.0)},    // date-time for Double
      {6, 1},                              // int for Bool
      {7, StoreValue::ofDouble(1.0)},      // double for DateTime
      {8, 1},                              // int for RoutineRef
      {9, 1},                              // int for Text
      {9, StoreValue::ofByteSet({1})},     // byte set for Text
  };
  for (const auto& [index, value] : cases) {
    std::vector<StoreValue> values(index + 1);
    values[index] = value;
    values[0] = StoreValue::ofByte(1);  // a fitting value before the wrong one
    EXPECT_FALSE(store::appendRecord(values)) << index;
    EXPECT_EQ(store::lastStoreError(), -72) << index;
    EXPECT_EQ(read(path), before) << index;
  }
}

TEST_F(AppendTest, NumericValuesAreConvertedToTheFieldsType) {
  ASSERT_TRUE(store::openDatabase(typedStore()));
  const struct {
    std::size_t index;
    StoreValue value;
    StoreValue expected;
  } cases[] = {
      {1, StoreValue::ofByte(200), StoreValue::ofShort(200)},        // bytes are unsigned
      {2, StoreValue::ofShort(-2), StoreValue::ofInt(-2)},           // sign-extended
      {0, StoreValue::ofInt(0x12345678), StoreValue::ofByte(0x78)},  // low-order bytes
      {2, StoreValue::ofLong(0x1FFFFFFFF), StoreValue::ofInt(-1)},
      {2, StoreValue::ofDouble(-3.9), StoreValue::ofInt(-3)},        // truncated toward zero
      {3, StoreValue::ofFloat(2.5e9f), StoreValue::ofLong(2500000000)},
      {4, StoreValue::ofInt(16777217), StoreValue::ofFloat(16777216.0f)},  // nearest float
      {4, StoreValue::ofDouble(0.1), StoreValue::ofFloat(0.1f)},
      {5, StoreValue::ofInt(-7), StoreValue::ofDouble(-7.0)},
      {5, StoreValue::ofFloat(0.1f), StoreValue::ofDouble(static_cast<double>(0.1f))},
      {6, StoreValue::ofBool(true), StoreValue::ofBool(true)},
      {7, StoreValue::ofDateTime(1e9), StoreValue::ofDateTime(2958465)},  // clamped when read
      {8, StoreValue::ofRoutineRef(0xDEADBEEF), StoreValue::ofRoutineRef(0xDEADBEEF)},
  };
  for (const auto& c : cases) EXPECT_EQ(roundTrip(c.index, c.value), c.expected) << c.index;
}

TEST_F(AppendTest, DateTimeIsStoredUnclampedAndBoolAsOneByte) {
  std::string path = typedStore();
  ASSERT_TRUE(store::openDatabase(path));
  std::vector<StoreValue> values(10);
  values[6] = StoreValue::ofBool(true);
  values[7] = StoreValue::ofDateTime(1e9);
  ASSERT_TRUE(store::appendRecord(values));
  Bytes file = read(path);
  std::size_t record = 116 + 72 * 10;
  double stored;
  std::memcpy(&stored, &file[record + 32], 8);
  EXPECT_EQ(stored, 1e9);
  EXPECT_EQ(file[record + 31], 1);
}

TEST_F(AppendTest, ValuesAreTakenByPosition) {
  std::string path = write("three.qdb", launchEntryImage().bytes());
  ASSERT_TRUE(store::openDatabase(path));
  ASSERT_TRUE(store::appendRecord({"0", "a", "b", "ignored"}));
  ASSERT_TRUE(store::appendRecord({"1", "c"}));
  ASSERT_TRUE(store::appendRecord({"2", StoreValue(), "d"}));
  EXPECT_EQ(store::readField("wenjian").text(), "") << "an empty position leaves zeros";
  EXPECT_EQ(store::readField("tubiao").text(), "d");
  ASSERT_TRUE(store::goToRecord(2));
  EXPECT_EQ(store::readField("tubiao").text(), "");
  Bytes file = read(path);
  DatabaseImage image = launchEntryImage();
  EXPECT_EQ(Bytes(file.begin() + image.dataStart() + 540, file.begin() + image.dataStart() + 1080),
            image.textRecord(2, {"1", "c"}));
}

TEST_F(AppendTest, TheCursorMovesToTheNewRecord) {
  DatabaseImage image = launchEntryImage();
  image.nextSerial = 41;  // serials continue from the header, not from the count
  std::string path = write("cursor.qdb", image.bytes());
  ASSERT_TRUE(store::openDatabase(path));
  for (int i = 0; i < 3; ++i) {
    std::string program = "C:\\p\\" + std::to_string(i) + ".exe";
    ASSERT_TRUE(store::appendRecord({std::to_string(store::countRecords()), program, "x"}));
    EXPECT_EQ(store::readField("wenjian").text(), program);
  }
  Bytes file = read(path);
  EXPECT_EQ(int32At(file, image.dataStart() + 2 * 540), 43);
  EXPECT_EQ(int32At(file, 20), 44);
}

// Another handle of the file holding a lock stands for another process: byte-range locks
// conflict between handles.
TEST_F(AppendTest, AHeldCountOrRecordLockFailsTheAppendAtOnce) {
  DatabaseImage image = launchEntryImage();
  image.add(image.textRecord(1, {"0"}));
  std::string path = write("locked.qdb", image.bytes());
  ASSERT_TRUE(store::openDatabase(path));
  auto other = platform::env().open(path, platform::Access::ReadWrite, platform::Sharing::DenyNone,
                                    platform::Disposition::OpenExisting).file;
  ASSERT_TRUE(other);
  Bytes before = read(path);
  for (std::uint64_t offset : {std::uint64_t{16}, std::uint64_t{image.dataStart() + 540}}) {
    ASSERT_EQ(other->lock(offset, 1), platform::LockResult::Locked);
    EXPECT_FALSE(store::appendRecord({"1", "p", "q"})) << offset;
    EXPECT_EQ(store::lastStoreError(), -13) << offset;
    EXPECT_EQ(read(path), before) << offset;
    ASSERT_EQ(other->unlock(offset, 1), platform::ErrorKind::None);
  }
  EXPECT_TRUE(store::appendRecord({"1", "p", "q"}));
}

// Only a wait time of -1 waits without limit for a lock that another process holds; any other
// negative time has passed at once.
TEST_F(AppendTest, LockWaitTimeDecidesHowLongAHeldLockIsWaitedFor) {
  std::string path = write("waiting.qdb", launchEntryImage().bytes());
  ASSERT_TRUE(store::openDatabase(path));
  auto other = platform::env().open(path, platform::Access::ReadWrite, platform::Sharing::DenyNone,
                                    platform::Disposition::OpenExisting).file;
  ASSERT_TRUE(other);
  const std::pair<std::int32_t, int> cases[] = {{-2, -13}, {100, -13}, {-1, 0}, {5000, 0}};
  for (const auto& [waitTime, expected] : cases) {
    ASSERT_EQ(other->lock(16, 1), platform::LockResult::Locked);
    // The other process ends its append a little later.
    std::thread releaser([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
      other->unlock(16, 1);
    });
    store::setLockWaitTime(waitTime);
    EXPECT_EQ(store::appendRecord({"0", "p", "q"}), expected == 0) << waitTime;
    EXPECT_EQ(store::lastStoreError(), expected) << waitTime;
    releaser.join();
  }
}

TEST_F(AppendTest, ChainsOfByteSets) {
  DatabaseImage image;
  image.recordSize = 8;
  image.fields = {{"data", kByteSet, 4}};
  std::string path = write("bytes.qdb", image.bytes());
  write("bytes.QDT", AuxiliaryImage().bytes());
  ASSERT_TRUE(store::openDatabase(path));
  platform::Bytes bytes(1234);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_TRUE(store::appendRecord({StoreValue::ofByteSet(bytes)}));
  EXPECT_EQ(store::readField("data").byteSet(), bytes);
  ASSERT_TRUE(store::appendRecord({StoreValue::ofByteSet({})}));
  EXPECT_EQ(int32At(read(path), image.dataStart() + 8 + 4), 0);
  EXPECT_EQ(store::readField("data"), StoreValue::ofByteSet({}));
}

}  // namespace
}  // namespace store_test
