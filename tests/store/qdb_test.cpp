// The qdb tool on files laid out byte by byte, not by the store's own writer.

#include <sstream>

#include "tests/store/store_fixture.h"
#include "tools/qdb/qdb_commands.h"

namespace store_test {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class QdbTest : public StoreTest {
 protected:
  static Outcome qdb(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    int status = qdb::run(arguments, out, err);
    return {status, out.str(), err.str()};
  }
};

const std::string kProgramUtf8 = "C:\\\xE7\xA8\x8B\xE5\xBA\x8F\\a.exe";  // C:\程序\a.exe
const std::string kProgramGbk = "C:\\\xB3\xCC\xD0\xF2\\a.exe";

TEST_F(QdbTest, CreateMakesTheFilesByteForByte) {
  std::string path = folder_.file("wenjia.qdb");
  Outcome created = qdb({"create", path, "xuhao:text:16", "wenjian:text:260", "tubiao:text:260"});
  EXPECT_EQ(created.status, 0) << created.err;
  EXPECT_EQ(created.out + created.err, "");
  EXPECT_EQ(read(path), launchEntryImage().bytes());
  EXPECT_FALSE(std::filesystem::exists(folder_.file("wenjia.QDT"))) << "no field needs one";

  std::string withRemark = folder_.file("remark.qdb");
  EXPECT_EQ(qdb({"create", withRemark, "xuhao:text:16", "wenjian:text:260", "tubiao:remark"}).status, 0);
  EXPECT_EQ(read(withRemark), launchEntryRemarkImage().bytes());
  EXPECT_EQ(read(folder_.file("remark.QDT")), AuxiliaryImage().bytes());

  Outcome again = qdb({"create", path, "xuhao:text:16"});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("already exists"), std::string::npos);
}

TEST_F(QdbTest, CreateRefusesUnusableFields) {
  const std::vector<std::string> cases[] = {
      {"name"},                      // no type
      {"name:text"},                 // text without width
      {"name:int:4"},                // width for another type
      {"name:text:0"},
      {"name:varchar:4"},
      {"abcdefghijklmnopq:int"},     // 17 bytes
      {"a:int", "A:int"},            // the same name twice
  };
  for (const auto& fields : cases) {
    std::vector<std::string> arguments = {"create", folder_.file("bad.qdb")};
    arguments.insert(arguments.end(), fields.begin(), fields.end());
    EXPECT_EQ(qdb(arguments).status, 2) << fields[0];
    EXPECT_FALSE(std::filesystem::exists(folder_.file("bad.qdb")));
  }
}

TEST_F(QdbTest, AppendStoresTerminalTextInTheCodePageAndDumpGivesItBack) {
  DatabaseImage image = launchEntryImage();
  image.add(image.textRecord(1, {"0", kProgramGbk, "x\"y"}));
  std::string path = write("wenjia.qdb", image.bytes());

  Outcome appended = qdb({"append", path, "1", kProgramUtf8});
  EXPECT_EQ(appended.status, 0) << appended.err;
  EXPECT_EQ(appended.out + appended.err, "");
  Bytes file = read(path);
  Bytes expected = image.textRecord(2, {"1", kProgramGbk});
  EXPECT_EQ(Bytes(file.begin() + image.dataStart() + 540, file.end()), expected);

  Outcome dumped = qdb({"dump", path});
  EXPECT_EQ(dumped.status, 0) << dumped.err;
  std::string program = "C:\\\\\xE7\xA8\x8B\xE5\xBA\x8F\\\\a.exe";
  EXPECT_EQ(dumped.out,
            "{\"serial\":1,\"xuhao\":\"0\",\"wenjian\":\"" + program + "\",\"tubiao\":\"x\\\"y\"}\n"
            "{\"serial\":2,\"xuhao\":\"1\",\"wenjian\":\"" + program + "\",\"tubiao\":\"\"}\n");

  Outcome raw = qdb({"--codepage", "65001", "append", path, "2", kProgramUtf8});
  EXPECT_EQ(raw.status, 0) << raw.err;
  file = read(path);
  EXPECT_EQ(Bytes(file.begin() + image.dataStart() + 1080, file.end()),
            image.textRecord(3, {"2", kProgramUtf8}));
}

TEST_F(QdbTest, AppendParsesValuesByFieldType) {
  DatabaseImage image;
  image.recordSize = 4 + 4 + 8 + 1 + 4 + 4;
  image.fields = {{"count", kInt, 4}, {"ratio", kDouble, 8}, {"flag", kBool, 16},
                  {"routine", kRoutineRef, 17}, {"blob", kByteSet, 21}};
  std::string path = write("typed.qdb", image.bytes());
  write("typed.QDT", AuxiliaryImage().bytes());

  EXPECT_EQ(qdb({"append", path, "-12", "2.5", "true", "0x10", "00ff"}).status, 0);
  EXPECT_EQ(qdb({"append", path, "", "", "0"}).status, 0) << "empty values leave zeros";
  Outcome dumped = qdb({"dump", path});
  EXPECT_EQ(dumped.out,
            "{\"serial\":1,\"count\":-12,\"ratio\":2.5,\"flag\":true,\"routine\":16,\"blob\":\"00ff\"}\n"
            "{\"serial\":2,\"count\":0,\"ratio\":0,\"flag\":false,\"routine\":0,\"blob\":\"\"}\n");

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"append", path, "12x"},
           {"append", path, "99999999999"},
           {"append", path, "1", "half"},
           {"append", path, "1", "1", "yes"},
           {"append", path, "1", "1", "1", "1", "0f0"},
           {"append", path, "1", "1", "1", "1", "00", "extra"}}) {
    EXPECT_EQ(qdb(bad).status, 2) << bad.back();
  }
  EXPECT_EQ(qdb({"dump", path}).out, dumped.out) << "nothing appended by a refused command";
}

TEST_F(QdbTest, InfoShowsHeaderAndFields) {
  DatabaseImage image = launchEntryRemarkImage();
  image.nextSerial = 9;
  image.add(image.textRecord(9, {"0"}));
  std::string path = write("info.qdb", image.bytes());
  write("info.QDT", AuxiliaryImage().bytes());
  Outcome info = qdb({"--readonly", "info", path});
  EXPECT_EQ(info.status, 0) << info.err;
  for (const char* line : {"version      65536\n", "records      1\n", "next serial  10\n",
                           "record size  284\n", "data start   332\n", "fields       3\n",
                           "  1  xuhao  text  offset 4  width 16\n",
                           "  3  tubiao  remark  offset 280  width 4\n"})
    EXPECT_NE(info.out.find(line), std::string::npos) << line << info.out;
}

TEST_F(QdbTest, CheckWalksEveryRecordAndChain) {
  DatabaseImage image = launchEntryRemarkImage();
  AuxiliaryImage aux;
  Bytes record = image.textRecord(1, {"0", "p"});
  putInt32(record, 280, aux.add(block(0, 0, "fine")));
  image.add(record);
  std::string path = write("check.qdb", image.bytes());
  write("check.QDT", aux.bytes());
  Outcome sound = qdb({"check", path});
  EXPECT_EQ(sound.status, 0) << sound.err;
  EXPECT_NE(sound.out.find("1 records"), std::string::npos);

  aux.blocks[0] = block(0, 1, "loops");
  write("check.QDT", aux.bytes());
  Outcome looped = qdb({"check", path});
  EXPECT_EQ(looped.status, 1);
  EXPECT_NE(looped.err.find("record 1 field tubiao: error -59"), std::string::npos) << looped.err;

  aux.blocks[0] = block(0, 0, "fine");
  aux.freeCount = 1;  // says one free block, but the list is empty
  write("check.QDT", aux.bytes());
  EXPECT_EQ(qdb({"check", path}).status, 1);
}

TEST_F(QdbTest, FailuresPrintTheCodeAndItsMessage) {
  Outcome missing = qdb({"info", folder_.file("absent.qdb")});
  EXPECT_EQ(missing.status, 1);
  // 指定文件未找到
  EXPECT_NE(missing.err.find("error -3: \xE6\x8C\x87\xE5\xAE\x9A\xE6\x96\x87\xE4\xBB\xB6\xE6\x9C\xAA\xE6\x89\xBE\xE5\x88\xB0"),
            std::string::npos) << missing.err;

  EXPECT_EQ(qdb({}).status, 2);
  EXPECT_EQ(qdb({"frobnicate", "x"}).status, 2);
  EXPECT_EQ(qdb({"--codepage", "12345678", "info", "x"}).status, 2);
  Outcome help = qdb({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: qdb"), std::string::npos);
}

}  // namespace
}  // namespace store_test
