// The bytes that appends write, checked against files laid out by the tests themselves.

#include <cstring>

#include "tests/store/store_fixture.h"

namespace store_test {
namespace {

using store::StoreValue;

class FormatTest : public StoreTest {};

Bytes slice(const Bytes& bytes, std::size_t offset, std::size_t count) {
  return Bytes(bytes.begin() + offset, bytes.begin() + offset + count);
}

Bytes textBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

TEST_F(FormatTest, AppendToEmptyStoreWritesRecordZeroAfterTheDescriptors) {
  DatabaseImage image = launchEntryImage();
  std::string path = write("wenjia.qdb", image.bytes());
  ASSERT_TRUE(store::openDatabase(path, "dizhi"));

  std::string program = "C:\\apps\\tool.exe";
  std::string picture = "C:\\panel\\tubiao\\tool.jpg";
  ASSERT_TRUE(store::appendRecord({"0", program, picture}));
  EXPECT_EQ(store::countRecords(), 1);

  // recordCount 1, nextSerial 2, and the record with serial 1 whose uncovered bytes are zero.
  image.add(image.textRecord(1, {"0", program, picture}));
  EXPECT_EQ(read(path), image.bytes());
}

// Text fields keep the text and one terminator; a text of the width or longer keeps its first
// width bytes and no terminator, even when that splits a double-byte character.
TEST_F(FormatTest, TextFieldsAreCutAtTheirWidth) {
  struct Case {
    std::string text;
    Bytes stored;
    std::string readBack;
  };
  const std::string twelve = "0123456789AB";
  const std::string splitCharacter = "012345678\xB5\xD8";  // 012345678地
  const Case cases[] = {
      {"abc", {'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0}, "abc"},
      {"0123456789", textBytes("0123456789"), "0123456789"},
      {twelve, textBytes("0123456789"), "0123456789"},
      {splitCharacter, textBytes("012345678\xB5"), "012345678\xB5"},
      {"", Bytes(10, 0), ""},
  };
  DatabaseImage image;
  image.recordSize = 14;
  image.fields = {{"name", kText, 4, 10}};
  std::string path = write("texts.qdb", image.bytes());
  ASSERT_TRUE(store::openDatabase(path));
  for (const Case& c : cases) {
    ASSERT_TRUE(store::appendRecord({c.text})) << c.text;
    std::int32_t slot = store::countRecords() - 1;
    EXPECT_EQ(slice(read(path), image.dataStart() + 14 * slot + 4, 10), c.stored) << c.text;
    EXPECT_EQ(store::readField("name").text(), c.readBack) << c.text;
  }
}

TEST_F(FormatTest, RemarkChainsFillBlocksOf500Bytes) {
  DatabaseImage image = launchEntryRemarkImage();
  std::string path = write("chains.qdb", image.bytes());
  std::string auxPath = write("chains.QDT", AuxiliaryImage().bytes());
  ASSERT_TRUE(store::openDatabase(path));

  std::string thousand(1000, 'x');
  std::string thousandAndOne = std::string(500, 'a') + std::string(500, 'b') + "c";
  ASSERT_TRUE(store::appendRecord({"0", "p", thousand}));
  ASSERT_TRUE(store::appendRecord({"1", "p", thousandAndOne}));
  Bytes auxBefore = read(auxPath);
  ASSERT_TRUE(store::appendRecord({"2", "p", ""}));
  EXPECT_EQ(read(auxPath), auxBefore) << "an empty remark does not touch the auxiliary file";

  Bytes file = read(path);
  std::size_t start = image.dataStart();
  EXPECT_EQ(int32At(file, start + 280), 1);
  EXPECT_EQ(int32At(file, start + 284 + 280), 3);
  EXPECT_EQ(int32At(file, start + 2 * 284 + 280), 0);

  AuxiliaryImage expected;
  expected.add(block(0, 2, thousand.substr(0, 500)));
  expected.add(block(1, 0, thousand.substr(500)));
  expected.add(block(0, 4, thousandAndOne.substr(0, 500)));
  expected.add(block(3, 5, thousandAndOne.substr(500, 500)));
  expected.add(block(4, 0, "c"));
  EXPECT_EQ(read(auxPath), expected.bytes());

  ASSERT_TRUE(store::goToRecord(2));
  EXPECT_EQ(store::readField("tubiao").text(), thousandAndOne);
}

TEST_F(FormatTest, ChainsTakeFreeBlocksBeforeTheFileGrows) {
  DatabaseImage image = launchEntryRemarkImage();
  std::string path = write("free.qdb", image.bytes());
  AuxiliaryImage aux;
  aux.add(block(0, 0, "", 0));  // 1: free, last of the list
  aux.add(block(0, 0, "kept"));  // 2: belongs to no record here, must stay as it is
  aux.add(block(0, 1, "", 0));  // 3: free, head of the list
  aux.freeHead = 3;
  aux.freeCount = 2;
  std::string auxPath = write("free.QDT", aux.bytes());
  ASSERT_TRUE(store::openDatabase(path));

  std::string value = std::string(500, 'v') + "w";
  std::string longer = std::string(10, 'z');
  ASSERT_TRUE(store::appendRecord({"0", "p", value}));
  ASSERT_TRUE(store::appendRecord({"1", "p", longer}));

  AuxiliaryImage expected;
  expected.add(block(3, 0, "w"));
  expected.add(block(0, 0, "kept"));
  expected.add(block(0, 1, value.substr(0, 500)));
  expected.add(block(0, 0, longer));  // the list is used up: block 4 at the end
  EXPECT_EQ(read(auxPath), expected.bytes());
  EXPECT_EQ(int32At(read(path), image.dataStart() + 280), 3);
}

}  // namespace
}  // namespace store_test
