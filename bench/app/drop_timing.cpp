// drop_timing FOLDER PROGRAM: the time of one drop on the real panel, from the got-files event
// to the end of the rebuild that follows it. Each round makes FOLDER\roundN with a store of 99
// entries, loads the panel over it in this process and hands it the dropped PROGRAM (copied
// into the folder with the extension "exe", as a drop needs).

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/entry_store.h"
#include "app/panel.h"
#include "app/win32/win32_backend.h"
#include "app/windowing.h"
#include "bench/app/bench_support.h"
#include "store/store.h"

namespace {

constexpr int kStoredEntries = 99;
constexpr int kRounds = 7;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: drop_timing FOLDER PROGRAM\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  ::CreateDirectoryA(folder.c_str(), nullptr);
  const std::string program = folder + "\\dropped.exe";
  if (!::CopyFileA(argv[2], program.c_str(), FALSE)) {
    std::fprintf(stderr, "could not copy %s\n", argv[2]);
    return 1;
  }

  std::unique_ptr<app::Backend> backend = app::win32::createBackend();
  app::Windowing windowing(*backend);
  windowing.createOwnerWindow();
  std::vector<double> drops;
  for (int round = 0; round < kRounds; ++round) {
    const std::string runDirectory = folder + "\\round" + std::to_string(round);
    if (!bench::makeBenchStore(runDirectory, kStoredEntries)) {
      std::fprintf(stderr, "could not make the store in %s\n", runDirectory.c_str());
      return 1;
    }
    app::Panel panel(windowing, app::storeRegistry(), runDirectory);
    panel.load();
    const auto start = std::chrono::steady_clock::now();
    panel.gotFiles(panel.window(), 0, program);
    const auto end = std::chrono::steady_clock::now();
    store::selectDatabase("dizhi");
    if (store::countRecords() != kStoredEntries + 1) {
      std::fputs("the drop added no entry\n", stderr);
      return 1;
    }
    drops.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    windowing.destroyWindow(panel.window());
    store::closeAllDatabases();
  }
  std::printf("one drop onto %d entries, got-files to end of rebuild: median %.2f ms (%d rounds)\n",
              kStoredEntries, bench::median(drops), kRounds);
  return 0;
}
