// Opening, naming and selecting databases; the repairs an open makes.

#include <thread>

#include "store/file_names.h"
#include "tests/store/store_fixture.h"

namespace store_test {
namespace {

class RegistryTest : public StoreTest {
 protected:
  // A store whose single record's xuhao names it, so a read shows which store is current.
  std::string storeNamed(const std::string& folder, const std::string& file, const std::string& tag) {
    std::filesystem::create_directories(folder_.path() / folder);
    DatabaseImage image = launchEntryImage();
    image.add(image.textRecord(1, {tag}));
    std::string path = in(folder, file);
    EXPECT_TRUE(platform::writeFileBytes(path, image.bytes()));
    return path;
  }
  // A name in a subfolder, with the platform's own separators.
  std::string in(const std::string& folder, const std::string& file) {
    return (folder_.path() / folder / file).string();
  }
  std::string currentTag() { return store::readField("xuhao").text(); }
};

TEST_F(RegistryTest, NameWithoutExtensionOpensTheQdbFile) {
  std::string path = storeNamed("data", "store.QDB", "plain");
  std::string bare = in("data", "store");
  ASSERT_TRUE(store::openDatabase(bare));
  EXPECT_EQ(currentTag(), "plain");
  store::closeAllDatabases();
  ASSERT_TRUE(store::openDatabase(bare + ".")) << "a name ending in a dot gets QDB alone";
  EXPECT_TRUE(store::selectDatabase(path));
}

TEST_F(RegistryTest, DerivedNamesRespectDoubleByteCharacters) {
  // 0x5C is the second byte of the character; the name still has no extension and no folder.
  const std::string name = "C:\\a.b\\x\x95\x5C" "c";
  EXPECT_EQ(store::withDefaultExtension(name), name + ".QDB");
  EXPECT_EQ(store::withDefaultExtension("C:\\data\\store."), "C:\\data\\store.QDB");
  EXPECT_EQ(store::withDefaultExtension("C:\\data\\wenjia.qdb"), "C:\\data\\wenjia.qdb");
  EXPECT_EQ(store::bareNameOf("C:\\panel\\tubiao\\wenjia.qdb"), "wenjia");
  EXPECT_EQ(store::bareNameOf("C:\\panel\\tubiao\\wenjia"), "wenjia");
  EXPECT_EQ(store::auxiliaryNameOf("C:\\panel\\tubiao\\wenjia.qdb"), "C:\\panel\\tubiao\\wenjia.QDT");
  EXPECT_EQ(store::auxiliaryNameOf("C:\\a.b\\wenjia"), "C:\\a.b\\wenjia.QDT");
}

TEST_F(RegistryTest, AliasRule) {
  struct Case {
    std::string alias;
    bool valid;
  };
  const Case cases[] = {
      {"dizhi", true},
      {"_a1", true},
      {"\xB5\xD8\xD6\xB7", true},          // 地址
      {"\x81\x40x", true},                  // a character of the first extended range
      {"\xA3\xC1\xA3\xE1", true},           // Ａａ
      {"a\xA3\xB1", true},                  // a１
      {"\xA4\xA2\xA5\xF6", true},           // あヶ
      {"x\xA9\x60", true},
      {"1abc", false},
      {"\xA3\xB1" "a", false},              // １a: a full-width digit first
      {"a b", false},
      {"a.b", false},
      {"a-b", false},
      {"a\xA1\xA1", false},                 // the ideographic space
      {"a\xA4\xF4", false},                 // past the hiragana
      {"a\xA9\x61", false},
      {"a\xB5", false},                     // a lead byte without its second byte
  };
  for (const Case& c : cases) EXPECT_EQ(store::isValidAlias(c.alias), c.valid) << c.alias;

  // The alias is checked before any file is touched: the file here does not exist.
  EXPECT_FALSE(store::openDatabase(folder_.file("missing.qdb"), "9lives"));
  EXPECT_EQ(store::lastStoreError(), -24);
}

TEST_F(RegistryTest, LookupByAliasThenBareNameThenFullPathNewestFirst) {
  std::string first = storeNamed("one", "wenjia.qdb", "first");
  std::string second = storeNamed("two", "wenjia.qdb", "second");
  std::string third = storeNamed("two", "dizhi.qdb", "third");
  ASSERT_TRUE(store::openDatabase(first, "dizhi"));
  ASSERT_TRUE(store::openDatabase(second));
  ASSERT_TRUE(store::openDatabase(third, "other"));

  struct Case {
    std::string name;
    std::string tag;
  };
  const Case cases[] = {
      {"DIZHI", "first"},  // an alias wins over another store's bare name
      {"wenjia", "second"},  // the newest of two bare names
      {first, "first"},
      {"Other", "third"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(store::selectDatabase(c.name)) << c.name;
    EXPECT_EQ(currentTag(), c.tag) << c.name;
  }
  EXPECT_FALSE(store::selectDatabase("dizhi.qdb")) << "no alias, bare name or full path";
  ASSERT_TRUE(store::selectDatabase("dizhi"));
  EXPECT_FALSE(store::selectDatabase(""));
  EXPECT_EQ(store::lastStoreError(), -66);
  EXPECT_EQ(currentTag(), "first") << "a failed select keeps the current store";
  EXPECT_EQ(store::readField("xuhao", "wenjia").text(), "second") << "read from another store";
  EXPECT_EQ(currentTag(), "first");
}

TEST_F(RegistryTest, SecondOpenOfTheSameFileFailsAndChangesNothing) {
  std::string path = storeNamed("data", "wenjia.qdb", "only");
  std::string other = storeNamed("data", "other.qdb", "other");
  ASSERT_TRUE(store::openDatabase(path, "dizhi"));
  ASSERT_TRUE(store::openDatabase(other));
  std::string shouted = in("data", "WENJIA.QDB");
  for (const std::string& again : {path, shouted}) {
    EXPECT_FALSE(store::openDatabase(again, "another"));
    EXPECT_EQ(store::lastStoreError(), -38);
    EXPECT_EQ(currentTag(), "other");
  }
  EXPECT_TRUE(store::selectDatabase("dizhi"));
}

TEST_F(RegistryTest, MissingFileOrFolderLeavesTheRegistryEmpty) {
  EXPECT_FALSE(store::openDatabase(folder_.file("absent.qdb")));
  EXPECT_EQ(store::lastStoreError(), -3);
  EXPECT_FALSE(store::openDatabase(in("absent", "wenjia.qdb")));
  EXPECT_EQ(store::lastStoreError(), -4);
  EXPECT_FALSE(store::openDatabase(""));
  EXPECT_EQ(store::lastStoreError(), -3);
  EXPECT_FALSE(store::selectDatabase("dizhi"));
  EXPECT_EQ(store::lastStoreError(), -66);
  EXPECT_EQ(store::countRecords(), 0);
  EXPECT_EQ(store::lastStoreError(), -67);
}

TEST_F(RegistryTest, CloseAllEmptiesTheRegistry) {
  std::string path = storeNamed("data", "wenjia.qdb", "only");
  ASSERT_TRUE(store::openDatabase(path, "dizhi"));
  store::closeAllDatabases();
  EXPECT_EQ(store::countRecords(), 0);
  EXPECT_EQ(store::lastStoreError(), -67);
  EXPECT_FALSE(store::selectDatabase("dizhi"));
  EXPECT_TRUE(store::openDatabase(path, "dizhi")) << "the file is no longer open";
}

// recordCount against the records the file holds: lowered and cut when writing, refused when
// reading only; bytes past the last record are cut only by an open that may write.
TEST_F(RegistryTest, OpenRepairsTheRecordCountAndLength) {
  DatabaseImage image = launchEntryImage();
  for (int i = 0; i < 4; ++i) image.add(image.textRecord(i + 1, {std::to_string(i)}));
  image.recordCount = 5;
  Bytes claimsFive = image.bytes();
  claimsFive.resize(claimsFive.size() + 100, 7);  // the fifth record, partly there
  std::string path = write("short.qdb", claimsFive);

  EXPECT_FALSE(store::openDatabase(path, "", 1));
  EXPECT_EQ(store::lastStoreError(), -48);
  EXPECT_EQ(read(path), claimsFive);

  ASSERT_TRUE(store::openDatabase(path));
  EXPECT_EQ(store::countRecords(), 4);
  Bytes repaired = read(path);
  EXPECT_EQ(repaired.size(), image.dataStart() + 4 * 540);
  EXPECT_EQ(int32At(repaired, 16), 4);
  EXPECT_EQ(int32At(repaired, 20), 5) << "nextSerial is kept";
  store::closeAllDatabases();

  image.recordCount = 4;
  Bytes withTail = image.bytes();
  withTail.resize(withTail.size() + 540, 9);  // a record whose count was never written
  write("short.qdb", withTail);
  ASSERT_TRUE(store::openDatabase(path, "", 1));
  EXPECT_EQ(store::countRecords(), 4);
  EXPECT_EQ(read(path), withTail);
  store::closeAllDatabases();
  ASSERT_TRUE(store::openDatabase(path));
  EXPECT_EQ(read(path), image.bytes());
}

TEST_F(RegistryTest, OpenRepairsTheAuxiliaryBlockCount) {
  DatabaseImage image = launchEntryRemarkImage();
  std::string path = write("blocks.qdb", image.bytes());
  AuxiliaryImage aux;
  aux.add(block(0, 0, "", 0));
  aux.add(block(0, 1, "", 0));
  aux.freeHead = 2;
  aux.freeCount = 2;
  Bytes claimsMore = aux.bytes();
  claimsMore.resize(512 + 512 + 100);  // block 2 only partly there
  std::string auxPath = write("blocks.QDT", claimsMore);

  EXPECT_FALSE(store::openDatabase(path, "", 1));
  EXPECT_EQ(store::lastStoreError(), -37);
  EXPECT_EQ(read(auxPath), claimsMore);

  ASSERT_TRUE(store::openDatabase(path));
  Bytes repaired = read(auxPath);
  EXPECT_EQ(int32At(repaired, 16), 2) << "blockCount: the whole blocks";
  EXPECT_EQ(int32At(repaired, 20), 0) << "the free list reached past the end: dropped";
  EXPECT_EQ(int32At(repaired, 24), 0);
  ASSERT_TRUE(store::appendRecord({"0", "p", "remark"}));
  EXPECT_EQ(store::readField("tubiao").text(), "remark");
  EXPECT_EQ(int32At(read(path), image.dataStart() + 280), 2) << "taken at the repaired end";
  store::closeAllDatabases();

  // A file that holds only the header's 32 bytes has no whole block: refused read-only, while
  // an open that may write keeps block 0 counted and leaves the header as it is.
  Bytes headerOnly = AuxiliaryImage().bytes();
  headerOnly.resize(32);
  write("blocks.QDT", headerOnly);
  write("blocks.qdb", image.bytes());
  EXPECT_FALSE(store::openDatabase(path, "", 1));
  EXPECT_EQ(store::lastStoreError(), -37);
  ASSERT_TRUE(store::openDatabase(path));
  EXPECT_EQ(read(auxPath), headerOnly);
  ASSERT_TRUE(store::appendRecord({"0", "p", "remark"}));
  EXPECT_EQ(store::readField("tubiao").text(), "remark");
  EXPECT_EQ(int32At(read(auxPath), 16), 2) << "block 1 taken after the header block";
}

TEST_F(RegistryTest, AFailedOpenKeepsTheCurrentStore) {
  std::string good = storeNamed("data", "good.qdb", "good");
  ASSERT_TRUE(store::openDatabase(good));
  std::string bad = write("bad.qdb", Bytes(50, 0));
  EXPECT_FALSE(store::openDatabase(bad, "bad"));
  EXPECT_EQ(currentTag(), "good");
  EXPECT_FALSE(store::selectDatabase("bad"));
}

TEST_F(RegistryTest, LastStoreErrorIsKeptPerThread) {
  EXPECT_FALSE(store::selectDatabase("nothing"));
  int seenByOtherThread = 1;
  std::thread([&] { seenByOtherThread = store::lastStoreError(); }).join();
  EXPECT_EQ(seenByOtherThread, 0);
  EXPECT_EQ(store::lastStoreError(), -66);
}

TEST_F(RegistryTest, EveryCodeHasItsMessage) {
  EXPECT_STREQ(store::messageOf(0), "");
  EXPECT_STREQ(store::messageOf(-13), "\xBC\xD3\xCB\xF8\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC");  // 加锁文件失败
  EXPECT_STREQ(store::messageOf(-67), "\xCE\xB4\xC9\xE8\xD6\xC3\xB5\xB1\xC7\xB0\xCA\xFD\xBE\xDD\xBF\xE2");  // 未设置当前数据库
  EXPECT_STREQ(store::messageOf(-2), store::messageOf(-1)) << "a code without its own: unknown error";
}

}  // namespace
}  // namespace store_test
