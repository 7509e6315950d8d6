// Which files open accepts, with which result code, and that a refused file is left exactly as
// it was.

#include <functional>

#include "tests/store/store_fixture.h"

namespace store_test {
namespace {

class AcceptanceTest : public StoreTest {};

// A valid store with one record and a Remark field, and the auxiliary file it needs.
struct StorePair {
  DatabaseImage database = launchEntryRemarkImage();
  AuxiliaryImage auxiliary;
  Bytes databaseBytes;  // when set, written instead of database.bytes()
  Bytes auxiliaryBytes;
  bool writeAuxiliary = true;

  StorePair() {
    std::int32_t first = auxiliary.add(block(0, 0, "picture"));
    Bytes record = database.textRecord(1, {"0", "program"});
    putInt32(record, 280, first);
    database.add(record);
  }
};

struct Case {
  const char* what;
  std::function<void(StorePair&)> damage;
  int expected;
};

TEST_F(AcceptanceTest, EveryConditionRefusesTheFileWithItsCodeAndLeavesItUntouched) {
  const Case cases[] = {
      {"a valid file", [](StorePair&) {}, 0},
      {"header cut short", [](StorePair& s) { s.databaseBytes = Bytes(60, 0); }, -22},
      {"magic", [](StorePair& s) { s.database.magic = "HQDX"; }, -22},
      {"password-protected magic", [](StorePair& s) { s.database.magic = "HCDB"; }, -78},
      {"recordSize 0", [](StorePair& s) { s.database.recordSize = 0; }, -22},
      {"recordCount -1", [](StorePair& s) { s.database.recordCount = -1; }, -22},
      {"nextSerial 0", [](StorePair& s) { s.database.nextSerial = 0; }, -22},
      {"version 65537", [](StorePair& s) {
         s.database.version = 65537;
         s.auxiliary.version = 65537;
       }, -23},
      {"version below current", [](StorePair& s) {
         s.database.version = 100;
         s.auxiliary.version = 100;
       }, 0},
      {"field count 0", [](StorePair& s) {
         s.databaseBytes = s.database.bytes();
         putInt32(s.databaseBytes, 112, 0);
       }, -22},
      {"field count beyond the file", [](StorePair& s) {
         s.databaseBytes = s.database.bytes();
         putInt32(s.databaseBytes, 112, 0x7FFFFFFF);
       }, -22},
      {"name of 16 bytes", [](StorePair& s) { s.database.fields[0].name = "abcdefghijklmnop"; }, 0},
      {"name without terminator in 17 bytes",
       [](StorePair& s) { s.database.fields[0].name = "abcdefghijklmnopq"; }, -22},
      {"offset -1", [](StorePair& s) { s.database.fields[0].offset = -1; }, -22},
      {"type 0", [](StorePair& s) { s.database.fields[0].type = 0; }, -22},
      {"type 13", [](StorePair& s) { s.database.fields[0].type = 13; }, -22},
      {"text width 0", [](StorePair& s) { s.database.fields[0].width = 0; }, -22},
      {"field over the serial", [](StorePair& s) { s.database.fields[0].offset = 2; }, -22},
      {"field past the record", [](StorePair& s) { s.database.fields[2].offset = 281; }, -22},
      {"auxiliary file missing", [](StorePair& s) { s.writeAuxiliary = false; }, -35},
      {"auxiliary header cut short", [](StorePair& s) { s.auxiliaryBytes = Bytes(20, 0); }, -35},
      {"auxiliary magic", [](StorePair& s) {
         s.auxiliaryBytes = s.auxiliary.bytes();
         s.auxiliaryBytes[3] = 'X';
       }, -35},
      {"blockCount 0", [](StorePair& s) { s.auxiliary.blockCount = 0; }, -35},
      {"freeCount = blockCount", [](StorePair& s) { s.auxiliary.freeCount = 2; }, -35},
      {"freeCount negative", [](StorePair& s) { s.auxiliary.freeCount = -1; }, -35},
      {"freeHead = blockCount", [](StorePair& s) { s.auxiliary.freeHead = 2; }, -35},
      {"freeHead negative", [](StorePair& s) { s.auxiliary.freeHead = -1; }, -35},
      {"auxiliary version", [](StorePair& s) { s.auxiliary.version = 65535; }, -36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StorePair pair;
    c.damage(pair);
    Bytes database = pair.databaseBytes.empty() ? pair.database.bytes() : pair.databaseBytes;
    // A few bytes past the last record: a valid open for writing cuts them off, a refused one
    // must leave them.
    database.insert(database.end(), {1, 2, 3});
    std::string path = write("case.qdb", database);
    std::string auxPath = folder_.file("case.QDT");
    Bytes auxiliary = pair.auxiliaryBytes.empty() ? pair.auxiliary.bytes() : pair.auxiliaryBytes;
    std::filesystem::remove(auxPath);
    if (pair.writeAuxiliary) write("case.QDT", auxiliary);

    EXPECT_EQ(store::openDatabase(path), c.expected == 0);
    EXPECT_EQ(store::lastStoreError(), c.expected);
    if (c.expected != 0) {
      EXPECT_EQ(read(path), database);
      if (pair.writeAuxiliary) {
        EXPECT_EQ(read(auxPath), auxiliary);
      }
      EXPECT_EQ(store::countRecords(), 0);
      EXPECT_EQ(store::lastStoreError(), -67) << "nothing joined the registry";
    } else {
      EXPECT_EQ(read(path).size(), database.size() - 3);
      EXPECT_EQ(store::readField(3).text(), "picture");
    }
    store::closeAllDatabases();
  }
}

TEST_F(AcceptanceTest, PasswordsAndIndexFilesAreRefused) {
  StorePair pair;
  std::string path = write("plain.qdb", pair.database.bytes());
  write("plain.QDT", pair.auxiliary.bytes());
  EXPECT_FALSE(store::openDatabase(path, "", 0, 1, "secret"));
  EXPECT_EQ(store::lastStoreError(), -78);
  EXPECT_FALSE(store::openDatabase(path, "", 0, 1, "", {folder_.file("plain.idx")}));
  EXPECT_EQ(store::lastStoreError(), -21);
  EXPECT_TRUE(store::openDatabase(path));
}

// Every prefix of a small valid pair: the open either refuses it cleanly or accepts it with
// the whole records that remain, and every value read is the one written or a clean failure.
TEST_F(AcceptanceTest, FilesCutAtEveryLengthOpenCleanly) {
  StorePair pair;
  std::string remark(700, 'r');
  AuxiliaryImage& aux = pair.auxiliary;
  std::int32_t second = aux.add(block(0, 0, remark.substr(500)));
  std::int32_t first = aux.add(block(0, second, remark.substr(0, 500)));
  Bytes record = pair.database.textRecord(2, {"1", "second program"});
  putInt32(record, 280, first);
  pair.database.add(record);
  const Bytes database = pair.database.bytes();
  const Bytes auxiliary = aux.bytes();
  const std::size_t dataStart = pair.database.dataStart();
#ifdef _WIN32
  constexpr std::size_t kStep = 7;  // each file operation is slow under Wine; the parser is the same
#else
  constexpr std::size_t kStep = 1;
#endif

  write("cut.QDT", auxiliary);  // complete: no open below needs to repair it
  for (std::size_t length = 0; length <= database.size(); length += kStep) {
    SCOPED_TRACE("database cut to " + std::to_string(length));
    std::string path = write("cut.qdb", Bytes(database.begin(), database.begin() + length));
    bool opened = store::openDatabase(path);
    if (length < dataStart) {
      EXPECT_FALSE(opened);
      EXPECT_EQ(store::lastStoreError(), -22);
      continue;
    }
    ASSERT_TRUE(opened);
    std::int32_t whole = static_cast<std::int32_t>((length - dataStart) / 284);
    EXPECT_EQ(store::countRecords(), whole);
    EXPECT_EQ(read(path).size(), dataStart + 284 * whole);
    if (whole == 2) {
      ASSERT_TRUE(store::goToRecord(2));
      EXPECT_EQ(store::readField("tubiao").text(), remark);
    }
    store::closeAllDatabases();
  }

  std::string path = write("cut.qdb", database);
  for (std::size_t length = 0; length <= auxiliary.size(); length += kStep) {
    SCOPED_TRACE("auxiliary file cut to " + std::to_string(length));
    write("cut.QDT", Bytes(auxiliary.begin(), auxiliary.begin() + length));
    bool opened = store::openDatabase(path);
    if (length < 32) {
      EXPECT_FALSE(opened);
      EXPECT_EQ(store::lastStoreError(), -35);
      continue;
    }
    ASSERT_TRUE(opened);
    for (std::int32_t n : {1, 2}) {
      ASSERT_TRUE(store::goToRecord(n));
      store::StoreValue value = store::readField("tubiao");
      if (store::lastStoreError() == 0) {
        EXPECT_EQ(value.text(), n == 1 ? "picture" : remark);
      } else {
        EXPECT_EQ(store::lastStoreError(), -59);
        EXPECT_EQ(value, store::StoreValue(""));
      }
    }
    store::closeAllDatabases();
  }
}

}  // namespace
}  // namespace store_test
