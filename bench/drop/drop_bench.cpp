// The time of one drop, from the got-files event to the end of the rebuild: a program of about
// 15 MB with many icon groups (ICONPANEL_BENCH_MODULE, or Wine's shell32.dll with its 184
// groups, dropped under the name shell32.exe) onto a store of 99 entries whose image files
// all exist. The rebuild is the grid's work on the store and the files: every entry's two
// fields and its whole image file; making the tiles is left out.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/drop/add_dropped_program.h"
#include "icons/extract_icon.h"
#include "platform/env.h"
#include "platform/file_bytes.h"
#include "store/create_database.h"
#include "store/store.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr std::string_view kAlias = "dizhi";
constexpr int kStoredEntries = 99;

std::string modulePath() {
  if (const char* path = std::getenv("ICONPANEL_BENCH_MODULE")) return path;
  return "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
}

// A RunDirectory whose IconFolder holds the store with its entries and their image files,
// and a copy of the store as it is before any drop.
class Setting {
 public:
  Setting() {
    platform::Env& env = platform::env();
    env.createDirectory(runDirectory);
    env.createDirectory(iconFolder);
    store::createDatabase(storePath, {{"xuhao", store::format::FieldType::Text, 16},
                                      {"wenjian", store::format::FieldType::Text, 260},
                                      {"tubiao", store::format::FieldType::Text, 260}});
    store::openDatabase(storePath, kAlias);
    const std::string program = folder_.file("Tools") + "\\shell32.exe";
    platform::writeFileBytes(program, platform::readFileBytes(modulePath()));
    droppedText = program;
    // Every stored entry shows the module's own icon, as a real panel's entries show theirs.
    const std::string sample = iconFolder + "\\sample.ico";
    groups = icons::extractIconToFile(modulePath(), sample, 1, icons::kOutputToFile);
    const platform::Bytes icon = platform::readFileBytes(sample);
    for (int i = 0; i < kStoredEntries; ++i) {
      const std::string image = iconFolder + "\\program" + std::to_string(i) + ".jpg";
      platform::writeFileBytes(image, icon);
      store::appendRecord(
          {std::to_string(i), "C:\\Programs\\program" + std::to_string(i) + ".exe", image});
    }
    store::closeAllDatabases();
    pristineStore = platform::readFileBytes(storePath);
  }
  ~Setting() { store::closeAllDatabases(); }

  // Back to the store of 99 entries, opened as the panel opens it.
  void reset() {
    store::closeAllDatabases();
    platform::writeFileBytes(storePath, pristineStore);
    store::openDatabase(storePath, kAlias);
  }

  testing_support::TempFolder folder_;
  const std::string runDirectory = folder_.file("run");
  const std::string iconFolder = runDirectory + "\\tubiao";
  const std::string storePath = iconFolder + "\\wenjia.qdb";
  std::string droppedText;
  int groups = 0;
  platform::Bytes pristineStore;
};

// What the grid reads when it is rebuilt.
void rebuildStandIn() {
  if (!store::selectDatabase(kAlias)) return;
  const std::int32_t count = store::countRecords();
  store::goToFirstRecord();
  for (std::int32_t number = 1; number <= count; ++number) {
    store::goToRecord(number);
    benchmark::DoNotOptimize(platform::readFileBytes(store::readField("tubiao").text()));
    benchmark::DoNotOptimize(store::readField("wenjian"));
  }
}

void dropOneProgram(benchmark::State& state) {
  if (platform::readFileBytes(modulePath()).empty()) {
    state.SkipWithError(("cannot read " + modulePath()).c_str());
    return;
  }
  Setting setting;
  int rebuilds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    setting.reset();
    state.ResumeTiming();
    app::drop::handleDroppedFiles(setting.droppedText, setting.runDirectory, kAlias, [&] {
      ++rebuilds;
      rebuildStandIn();
    });
  }
  store::selectDatabase(kAlias);
  if (rebuilds != static_cast<int>(state.iterations()) || store::countRecords() != 100)
    state.SkipWithError("the drop added no entry");
  state.counters["module_MB"] =
      static_cast<double>(std::filesystem::file_size(modulePath())) / (1024.0 * 1024.0);
  state.counters["groups"] = setting.groups;
}
BENCHMARK(dropOneProgram)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
