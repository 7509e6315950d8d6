// Counting, moving the cursor and reading fields.

#include <cstring>

#include "store/fatal_error.h"
#include "tests/store/store_fixture.h"

namespace store_test {
namespace {

using store::StoreValue;

class CursorTest : public StoreTest {
 protected:
  std::string threeRecords() {
    DatabaseImage image = launchEntryImage();
    for (int i = 0; i < 3; ++i)
      image.add(image.textRecord(i + 1, {std::to_string(i), "program" + std::to_string(i)}));
    return write("three.qdb", image.bytes());
  }
};

TEST_F(CursorTest, GoToRecordClampsToTheRecordsThereAre) {
  ASSERT_TRUE(store::openDatabase(threeRecords()));
  EXPECT_EQ(store::countRecords(), 3);
  const std::pair<std::int32_t, std::string> cases[] = {
      {2, "program1"}, {7, "program2"}, {0, "program0"}, {-4, "program0"},
      {3, "program2"}, {1, "program0"}, {INT32_MIN, "program0"}, {INT32_MAX, "program2"},
  };
  for (const auto& [n, expected] : cases) {
    EXPECT_TRUE(store::goToRecord(n)) << n;
    EXPECT_EQ(store::readField("wenjian").text(), expected) << n;
  }
  store::goToRecord(3);
  store::goToFirstRecord();
  EXPECT_EQ(store::lastStoreError(), 0);
  EXPECT_EQ(store::readField("wenjian").text(), "program0");
}

TEST_F(CursorTest, EmptyStoreCountsZeroAndReadsFailWithSeekError) {
  ASSERT_TRUE(store::openDatabase(write("empty.qdb", launchEntryImage().bytes())));
  EXPECT_EQ(store::countRecords(), 0);
  EXPECT_EQ(store::lastStoreError(), 0);
  store::goToFirstRecord();
  EXPECT_TRUE(store::goToRecord(1));
  StoreValue value = store::readField("tubiao");
  EXPECT_EQ(store::lastStoreError(), -10);
  EXPECT_TRUE(value.isText());
  EXPECT_EQ(value.text(), "");
}

TEST_F(CursorTest, NoCurrentStore) {
  EXPECT_EQ(store::countRecords(), 0);
  EXPECT_EQ(store::lastStoreError(), -67);
  store::goToFirstRecord();
  EXPECT_EQ(store::lastStoreError(), -67);
  EXPECT_FALSE(store::goToRecord(1));
  EXPECT_EQ(store::lastStoreError(), -67);
  EXPECT_FALSE(store::appendRecord({"0"}));
  EXPECT_EQ(store::lastStoreError(), -67);
}

TEST_F(CursorTest, FieldsAreFoundByNameIgnoringCaseOrByNumber) {
  ASSERT_TRUE(store::openDatabase(threeRecords()));
  ASSERT_TRUE(store::goToRecord(2));
  EXPECT_EQ(store::readField("WenJian").text(), "program1");
  EXPECT_EQ(store::readField(2).text(), "program1");
  EXPECT_EQ(store::readField(StoreValue::ofDouble(2.9)).text(), "program1") << "truncated";
  EXPECT_EQ(store::readField(StoreValue::ofByte(1)).text(), "1");
  EXPECT_TRUE(fatalErrors().empty());
}

TEST_F(CursorTest, ReadFieldChecksAreFatal) {
  struct Case {
    StoreValue field;
    std::string database;
    int errorNumber;
    const char* message;
    int code;
  };
  const Case cases[] = {
      {"tubiao ", "", 0, store::kNoFieldMessage, -61},
      {"", "", 0, store::kNoFieldMessage, -61},
      {0, "", 0, store::kNoFieldMessage, -61},
      {4, "", 0, store::kNoFieldMessage, -61},
      {StoreValue::ofBool(true), "", 11, store::kFieldParameterMessage, -72},
      {StoreValue(), "", 11, store::kFieldParameterMessage, -72},
      {"tubiao", "nowhere", 0, store::kNoDatabaseMessage, -66},
  };
  ASSERT_TRUE(store::openDatabase(threeRecords()));
  for (const Case& c : cases) {
    fatalErrors().clear();
    StoreValue value = store::readField(c.field, c.database);
    ASSERT_EQ(fatalErrors().size(), 1u);
    EXPECT_EQ(fatalErrors()[0].first, c.errorNumber);
    EXPECT_EQ(fatalErrors()[0].second, c.message);
    EXPECT_EQ(store::lastStoreError(), c.code);
    EXPECT_TRUE(value.isEmpty());
  }
  store::closeAllDatabases();
  fatalErrors().clear();
  store::readField("tubiao");
  ASSERT_EQ(fatalErrors().size(), 1u);
  EXPECT_EQ(fatalErrors()[0].second, store::kNoDatabaseMessage);
}

TEST_F(CursorTest, FullWidthTextReadsBackWithoutTerminator) {
  DatabaseImage image = launchEntryImage();
  std::string full(260, 'p');
  image.add(image.textRecord(1, {"0", full, full}));
  ASSERT_TRUE(store::openDatabase(write("full.qdb", image.bytes())));
  EXPECT_EQ(store::readField("tubiao").text(), full);
}

// One field of every type, written byte by byte, read back as its kind.
TEST_F(CursorTest, EveryTypeReadsAsItsKind) {
  DatabaseImage image;
  image.recordSize = 4 + 1 + 2 + 4 + 8 + 4 + 8 + 1 + 8 + 4 + 6 + 4 + 4 + 8 + 8;
  image.fields = {
      {"b", kByte, 4}, {"s", kShort, 5}, {"i", kInt, 7}, {"l", kLong, 11},
      {"f", kFloat, 19}, {"d", kDouble, 23}, {"flag", kBool, 31}, {"when", kDateTime, 32},
      {"routine", kRoutineRef, 40}, {"t", kText, 44, 6}, {"bytes", kByteSet, 50},
      {"note", kRemark, 54}, {"early", kDateTime, 58}, {"late", kDateTime, 66},
  };
  Bytes record(static_cast<std::size_t>(image.recordSize), 0);
  putInt32(record, 0, 1);
  record[4] = 200;
  record[5] = 0xFE;
  record[6] = 0xFF;
  putInt32(record, 7, -123456);
  std::int64_t big = -5000000000;
  std::memcpy(&record[11], &big, 8);
  float f = 1.5f;
  std::memcpy(&record[19], &f, 4);
  double d = -2.25;
  std::memcpy(&record[23], &d, 8);
  record[31] = 7;
  double when = 45000.75, early = -1e9, late = 1e9;
  std::memcpy(&record[32], &when, 8);
  putInt32(record, 40, -1);
  std::memcpy(&record[44], "text\0x", 6);
  putInt32(record, 50, 1);
  putInt32(record, 54, 2);
  std::memcpy(&record[58], &early, 8);
  std::memcpy(&record[66], &late, 8);
  image.add(record);
  AuxiliaryImage aux;
  aux.add(block(0, 0, std::string("\0\1\2", 3)));
  aux.add(block(0, 0, std::string("note\0tail", 9)));
  std::string path = write("types.qdb", image.bytes());
  write("types.QDT", aux.bytes());
  ASSERT_TRUE(store::openDatabase(path));

  const std::pair<const char*, StoreValue> cases[] = {
      {"b", StoreValue::ofByte(200)},
      {"s", StoreValue::ofShort(-2)},
      {"i", StoreValue::ofInt(-123456)},
      {"l", StoreValue::ofLong(big)},
      {"f", StoreValue::ofFloat(1.5f)},
      {"d", StoreValue::ofDouble(-2.25)},
      {"flag", StoreValue::ofBool(true)},
      {"when", StoreValue::ofDateTime(45000.75)},
      {"routine", StoreValue::ofRoutineRef(0xFFFFFFFF)},
      {"t", StoreValue("text")},
      {"bytes", StoreValue::ofByteSet({0, 1, 2})},
      {"note", StoreValue("note")},
      {"early", StoreValue::ofDateTime(-657434)},
      {"late", StoreValue::ofDateTime(2958465)},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(store::readField(name), expected) << name;
    EXPECT_EQ(store::lastStoreError(), 0) << name;
  }
}

// Damaged chains are failed reads of the value, never an overrun or an endless walk.
TEST_F(CursorTest, DamagedChainsAreFailedReads) {
  struct Case {
    const char* what;
    std::vector<Bytes> blocks;
    std::int32_t first;
    int code;
    std::string value;
  };
  const Case cases[] = {
      {"a chain looping to itself", {block(0, 1, "a")}, 1, -59, ""},
      {"a chain looping back", {block(0, 2, "a"), block(1, 1, "b")}, 1, -59, ""},
      {"used above 500", {block(0, 0, "a", 501)}, 1, -59, ""},
      {"used negative", {block(0, 0, "a", -1)}, 1, -59, ""},
      {"a block beyond the file", {block(0, 9, "a")}, 1, -59, ""},
      {"a first block beyond the file", {}, 40, -59, ""},
      {"a negative next ends the chain", {block(0, -3, "ab")}, 1, 0, "ab"},
      {"a negative first block is empty", {}, -1, 0, ""},
  };
  DatabaseImage image = launchEntryRemarkImage();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes record = image.textRecord(1, {"0", "p"});
    putInt32(record, 280, c.first);
    DatabaseImage withRecord = image;
    withRecord.add(record);
    AuxiliaryImage aux;
    for (const Bytes& b : c.blocks) aux.add(b);
    std::string path = write("chain.qdb", withRecord.bytes());
    write("chain.QDT", aux.bytes());
    ASSERT_TRUE(store::openDatabase(path, "", 1));
    EXPECT_EQ(store::readField("tubiao"), StoreValue(c.value));
    EXPECT_EQ(store::lastStoreError(), c.code);
    store::closeAllDatabases();
  }
}

}  // namespace
}  // namespace store_test
