// The entry store as the panel uses it: open, count, append a LaunchEntry, and read tubiao and
// wenjian of every record of a 100-record store; then 10,000 appends against SQLite with the
// same three text columns (one insert per statement, synchronous=OFF).

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <random>
#include <string>

#include "store/create_database.h"
#include "store/store.h"

namespace {

using store::format::FieldType;

class BenchFolder {
 public:
  BenchFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("store_bench-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(path_);
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::vector<store::StoreValue> launchEntry(int n) {
  std::string base = "C:\\Program Files\\Vendor " + std::to_string(n) + "\\program" + std::to_string(n);
  return {std::to_string(n), base + ".exe", "C:\\panel\\tubiao\\program" + std::to_string(n) + ".jpg"};
}

// A new store with the panel's three fields and `records` entries, open and current.
std::string makeStore(const BenchFolder& folder, const std::string& name, int records) {
  std::string path = folder.file(name);
  store::createDatabase(path, {{"xuhao", FieldType::Text, 16},
                               {"wenjian", FieldType::Text, 260},
                               {"tubiao", FieldType::Text, 260}});
  store::openDatabase(path, "dizhi");
  for (int n = 0; n < records; ++n) store::appendRecord(launchEntry(n));
  return path;
}

void openStore(benchmark::State& state) {
  BenchFolder folder;
  std::string path = makeStore(folder, "wenjia.qdb", 100);
  store::closeAllDatabases();
  for (auto _ : state) {
    benchmark::DoNotOptimize(store::openDatabase(path, "dizhi"));
    store::closeAllDatabases();
  }
}
BENCHMARK(openStore);

void countRecords(benchmark::State& state) {
  BenchFolder folder;
  makeStore(folder, "wenjia.qdb", 100);
  for (auto _ : state) benchmark::DoNotOptimize(store::countRecords());
  store::closeAllDatabases();
}
BENCHMARK(countRecords);

void appendLaunchEntry(benchmark::State& state) {
  BenchFolder folder;
  makeStore(folder, "wenjia.qdb", 0);
  int n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(store::appendRecord(launchEntry(n++)));
  store::closeAllDatabases();
}
BENCHMARK(appendLaunchEntry);

// What the panel's grid rebuild does: count, then per record move and read two fields.
void readEveryTile(benchmark::State& state) {
  BenchFolder folder;
  makeStore(folder, "wenjia.qdb", 100);
  for (auto _ : state) {
    std::int32_t count = store::countRecords();
    store::goToFirstRecord();
    for (std::int32_t n = 1; n <= count; ++n) {
      store::goToRecord(n);
      benchmark::DoNotOptimize(store::readField("tubiao"));
      benchmark::DoNotOptimize(store::readField("wenjian"));
    }
  }
  store::closeAllDatabases();
}
BENCHMARK(readEveryTile)->Unit(benchmark::kMicrosecond);

constexpr int kAppends = 10000;

void append10000Store(benchmark::State& state) {
  for (auto _ : state) {
    BenchFolder folder;
    makeStore(folder, "wenjia.qdb", 0);
    for (int n = 0; n < kAppends; ++n) store::appendRecord(launchEntry(n));
    store::closeAllDatabases();
  }
}
BENCHMARK(append10000Store)->Unit(benchmark::kMillisecond);

void append10000Sqlite(benchmark::State& state) {
  for (auto _ : state) {
    BenchFolder folder;
    sqlite3* db = nullptr;
    sqlite3_open(folder.file("wenjia.sqlite").c_str(), &db);
    sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "CREATE TABLE entries (xuhao TEXT, wenjian TEXT, tubiao TEXT)", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO entries VALUES (?, ?, ?)", -1, &insert, nullptr);
    for (int n = 0; n < kAppends; ++n) {
      std::vector<store::StoreValue> entry = launchEntry(n);
      for (int column = 0; column < 3; ++column)
        sqlite3_bind_text(insert, column + 1, entry[column].text().c_str(), -1, SQLITE_TRANSIENT);
      if (sqlite3_step(insert) != SQLITE_DONE) state.SkipWithError("insert failed");
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
  }
}
BENCHMARK(append10000Sqlite)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
