// Adding a program by drop, with the real entry store and fixture programs: the results of
// every kind of dropped text, the files in IconFolder and the appended entries.

#include "app/drop/add_dropped_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/drop/dropped_files_text.h"
#include "platform/env.h"
#include "platform/file_bytes.h"
#include "store/create_database.h"
#include "store/store.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr std::string_view kAlias = "dizhi";
const char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

platform::Bytes fixture(const std::string& name) {
  return platform::readFileBytes(std::string(DROP_FIXTURES) + "/" + name);
}

struct Entry {
  std::string sequence;
  std::string program;
  std::string image;
  friend bool operator==(const Entry&, const Entry&) = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& entry) {
  return out << "{" << entry.sequence << ", " << entry.program << ", " << entry.image << "}";
}

// A RunDirectory in a fresh folder, with its IconFolder and the panel's store opened as
// "dizhi". Paths inside it are written with backslashes, as the panel writes them; natively a
// backslash is an ordinary character of a file name, so they stay consistent there too.
class DropWorld {
 public:
  DropWorld() { platform::env().createDirectory(runDirectory); }
  ~DropWorld() { store::closeAllDatabases(); }
  DropWorld(const DropWorld&) = delete;
  DropWorld& operator=(const DropWorld&) = delete;

  std::string inRoot(const std::string& name) const {
    return root_.path().string() + kSeparator + name;
  }
  std::string inIconFolder(const std::string& name) const { return iconFolder + "\\" + name; }

  // Creates a store of the panel's three fields holding `records` entries and opens it.
  void openStore(const std::string& path, int records) {
    ASSERT_EQ(store::createDatabase(path, {{"xuhao", store::format::FieldType::Text, 16},
                                           {"wenjian", store::format::FieldType::Text, 260},
                                           {"tubiao", store::format::FieldType::Text, 260}}),
              0);
    ASSERT_TRUE(store::openDatabase(path, kAlias));
    for (int i = 0; i < records; ++i)
      ASSERT_TRUE(
          store::appendRecord({std::to_string(i), "C:\\Old\\old" + std::to_string(i) + ".exe",
                               "C:\\Old\\old" + std::to_string(i) + ".jpg"}));
  }
  void openStoreInIconFolder(int records) {
    platform::env().createDirectory(iconFolder);
    openStore(inIconFolder("wenjia.qdb"), records);
  }

  // Writes the fixture as <root>\<folder>\<file> and gives its full path.
  std::string placeProgram(const std::string& folder, const std::string& file,
                           const std::string& fixtureName) {
    platform::env().createDirectory(inRoot(folder));
    const std::string path = inRoot(folder) + "\\" + file;
    EXPECT_TRUE(platform::writeFileBytes(path, fixture(fixtureName))) << path;
    return path;
  }

  std::string drop(const std::string& text) {
    return app::drop::addDroppedProgram(text, runDirectory, kAlias);
  }

  std::vector<Entry> entries() {
    std::vector<Entry> all;
    EXPECT_TRUE(store::selectDatabase(kAlias));
    const std::int32_t count = store::countRecords();
    for (std::int32_t number = 1; number <= count; ++number) {
      store::goToRecord(number);
      all.push_back({store::readField("xuhao").text(), store::readField("wenjian").text(),
                     store::readField("tubiao").text()});
    }
    return all;
  }
  Entry lastEntry() {
    auto all = entries();
    return all.empty() ? Entry{} : all.back();
  }

  bool exists(const std::string& path) { return platform::env().exists(path); }

  testing_support::TempFolder root_;
  const std::string runDirectory = inRoot("run");
  const std::string iconFolder = runDirectory + "\\tubiao";
};

TEST(AddDroppedProgram, ResultsOfEveryKindOfDroppedText) {
  struct Row {
    const char* what;
    std::vector<std::string> items;  // below the root; several make one text with line breaks
    std::string result;
    std::string appendedBase;  // base of the files of the appended entry; "-" for none
  };
  const std::vector<Row> rows = {
      {"a program", {"Tools\\app.exe"}, "app.jpg", "app"},
      {"an upper-case extension", {"Tools\\APP.EXE"}, "APP", "-"},
      {"another extension", {"Tools\\readme.txt"}, "readme", "-"},
      {"two dots", {"Tools\\notes.tar.gz"}, "", "-"},
      {"no dot", {"Tools\\README"}, "", "-"},
      {"a dot and exe", {"Tools\\.exe"}, ".jpg", ""},
      {"several files", {"Tools\\app.exe", "Tools\\tool.exe"}, "tool", "-"},
      {"a folder", {"Tools"}, "", "-"},
      {"a folder with a dot", {"Tools\\my.dir"}, "my", "-"},
      {"nothing", {}, "", "-"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    DropWorld w;
    w.openStoreInIconFolder(3);
    for (const char* name : {"app.exe", "APP.EXE", "readme.txt", ".exe", "tool.exe"})
      w.placeProgram("Tools", name, "red.exe");
    platform::env().createDirectory(w.inRoot("Tools\\my.dir"));
    std::vector<std::string> paths;
    for (const std::string& item : row.items) paths.push_back(w.inRoot(item));
    const std::string text = app::drop::droppedFilesText(paths);

    EXPECT_EQ(w.drop(text), row.result);

    const auto entries = w.entries();
    if (row.appendedBase == "-") {
      EXPECT_EQ(entries.size(), 3u);
      // Nothing is left behind in IconFolder for a drop that adds nothing.
      for (const char* name : {"app", "APP", "readme", "tool", "my"}) {
        EXPECT_FALSE(w.exists(w.inIconFolder(std::string(name) + ".ICO"))) << name;
        EXPECT_FALSE(w.exists(w.inIconFolder(std::string(name) + ".jpg"))) << name;
      }
    } else {
      const std::string image = w.inIconFolder(row.appendedBase + ".jpg");
      EXPECT_EQ(w.lastEntry(), (Entry{"3", text, image}));
      EXPECT_EQ(entries.size(), 4u);
      const platform::Bytes icon =
          platform::readFileBytes(w.inIconFolder(row.appendedBase + ".ICO"));
      EXPECT_FALSE(icon.empty());
      EXPECT_EQ(platform::readFileBytes(image), icon);
    }
  }
}

TEST(AddDroppedProgram, GridIsRebuiltWheneverTheResultIsNotEmpty) {
  DropWorld w;
  w.openStoreInIconFolder(3);
  const std::string program = w.placeProgram("Tools", "app.exe", "red.exe");
  const std::string readme = w.placeProgram("Tools", "readme.txt", "red.exe");
  const std::string notes = w.placeProgram("Tools", "notes.tar.gz", "red.exe");
  struct Case {
    std::string dropped;
    int rebuilds;
    std::int32_t recordsSeenByRebuild;
  };
  for (const Case& c : {Case{program, 1, 4}, Case{readme, 1, 4}, Case{notes, 0, -1}}) {
    SCOPED_TRACE(c.dropped);
    int rebuilds = 0;
    std::int32_t seen = -1;
    app::drop::handleDroppedFiles(c.dropped, w.runDirectory, kAlias, [&] {
      ++rebuilds;
      store::selectDatabase(kAlias);
      seen = store::countRecords();
    });
    EXPECT_EQ(rebuilds, c.rebuilds);
    EXPECT_EQ(seen, c.recordsSeenByRebuild);
  }
}

TEST(AddDroppedProgram, SameProgramTwiceSharesItsFiles) {
  DropWorld w;
  w.openStoreInIconFolder(0);
  const std::string program = w.placeProgram("Tools", "app.exe", "red.exe");
  EXPECT_EQ(w.drop(program), "app.jpg");
  EXPECT_EQ(w.drop(program), "app.jpg");
  const std::string image = w.inIconFolder("app.jpg");
  EXPECT_EQ(w.entries(), (std::vector<Entry>{{"0", program, image}, {"1", program, image}}));
}

TEST(AddDroppedProgram, ProgramsOfTheSameNameKeepTheirOwnIcons) {
  DropWorld w;
  w.openStoreInIconFolder(0);
  const std::string first = w.placeProgram("A", "app.exe", "red.exe");
  const std::string second = w.placeProgram("B", "app.exe", "blue.exe");
  ASSERT_EQ(w.drop(first), "app.jpg");
  const platform::Bytes red = platform::readFileBytes(w.inIconFolder("app.jpg"));

  EXPECT_EQ(w.drop(second), "app_2.jpg");
  EXPECT_EQ(w.drop(first), "app.jpg") << "the first program still owns its names";
  EXPECT_EQ(w.drop(second), "app_2.jpg");

  EXPECT_EQ(w.entries(), (std::vector<Entry>{{"0", first, w.inIconFolder("app.jpg")},
                                             {"1", second, w.inIconFolder("app_2.jpg")},
                                             {"2", first, w.inIconFolder("app.jpg")},
                                             {"3", second, w.inIconFolder("app_2.jpg")}}));
  const platform::Bytes blue = platform::readFileBytes(w.inIconFolder("app_2.jpg"));
  EXPECT_NE(red, blue);
  EXPECT_EQ(platform::readFileBytes(w.inIconFolder("app.jpg")), red);
  EXPECT_EQ(platform::readFileBytes(w.inIconFolder("app.ICO")), red);
  EXPECT_EQ(platform::readFileBytes(w.inIconFolder("app_2.ICO")), blue);
}

TEST(AddDroppedProgram, ProgramWithoutAnIconAddsAndCopiesNothing) {
  DropWorld w;
  w.openStoreInIconFolder(0);
  const std::string other = w.placeProgram("Other", "app.exe", "red.exe");
  ASSERT_EQ(w.drop(other), "app.jpg");
  const platform::Bytes red = platform::readFileBytes(w.inIconFolder("app.jpg"));

  // A group that is counted but cannot be loaded, and a program with no icon group at all.
  for (const char* fixtureName : {"missing_image.exe", "no_icons.exe"}) {
    SCOPED_TRACE(fixtureName);
    const std::string program = w.placeProgram("Tools", "app.exe", fixtureName);
    EXPECT_EQ(w.drop(program), "app");
    EXPECT_EQ(w.entries().size(), 1u);
    EXPECT_EQ(platform::readFileBytes(w.inIconFolder("app.jpg")), red);
    EXPECT_EQ(platform::readFileBytes(w.inIconFolder("app.ICO")), red);
    EXPECT_FALSE(w.exists(w.inIconFolder("app_2.jpg")));
    EXPECT_FALSE(w.exists(w.inIconFolder("app_2.ICO")));
    EXPECT_FALSE(w.exists(w.inIconFolder("app.new.ico")));
  }
}

TEST(AddDroppedProgram, MissingIconFolderIsCreatedOnTheFirstDrop) {
  DropWorld w;
  w.openStore(w.inRoot("wenjia.qdb"), 0);
  ASSERT_FALSE(w.exists(w.iconFolder));
  const std::string program = w.placeProgram("Tools", "app.exe", "red.exe");
  EXPECT_EQ(w.drop(program), "app.jpg");
  EXPECT_TRUE(w.exists(w.iconFolder));
  EXPECT_FALSE(platform::readFileBytes(w.inIconFolder("app.jpg")).empty());
  EXPECT_EQ(w.lastEntry(), (Entry{"0", program, w.inIconFolder("app.jpg")}));
}

TEST(AddDroppedProgram, DoubleByteCharacterEndingInBackslashByteIsNoPathBreak) {
  DropWorld w;
  w.openStoreInIconFolder(0);
  const std::string character = "\x81\x5C";  // 乗, whose second byte is a backslash's
  const std::string program = w.placeProgram(character, character + "app.exe", "red.exe");
  EXPECT_EQ(w.drop(program), character + "app.jpg");
  EXPECT_EQ(w.lastEntry(), (Entry{"0", program, w.inIconFolder(character + "app.jpg")}));
  EXPECT_FALSE(platform::readFileBytes(w.inIconFolder(character + "app.ICO")).empty());
}

TEST(AddDroppedProgram, StoreThatCannotTakeTheEntry) {
  DropWorld w;
  const std::string program = w.placeProgram("Tools", "app.exe", "red.exe");
  // No store open under the alias: nothing is written, the base name comes back.
  platform::env().createDirectory(w.iconFolder);
  EXPECT_EQ(w.drop(program), "app");
  EXPECT_FALSE(w.exists(w.inIconFolder("app.jpg")));

  // A store opened for reading only refuses the append.
  w.openStore(w.inIconFolder("wenjia.qdb"), 2);
  store::closeAllDatabases();
  ASSERT_TRUE(store::openDatabase(w.inIconFolder("wenjia.qdb"), kAlias, 1));
  EXPECT_EQ(w.drop(program), "app");
  EXPECT_EQ(w.entries().size(), 2u);
}

}  // namespace
