// rebuild_timing FOLDER: makes FOLDER\tubiao\wenjia.qdb with 100 entries whose image files
// hold the panel icon (unless the store is there already), loads the panel over it in this
// process and times rebuildTiles: alone, and followed by the paint of every tile (which
// decodes each tile's icon once per change of its bytes).

#include <windows.h>

#include <algorithm>
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

constexpr int kEntries = 100;
constexpr int kRounds = 50;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: rebuild_timing FOLDER\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  if (!bench::makeBenchStore(folder, kEntries)) {
    std::fprintf(stderr, "could not make the store in %s\n", folder.c_str());
    return 1;
  }
  std::unique_ptr<app::Backend> backend = app::win32::createBackend();
  app::Windowing windowing(*backend);
  windowing.createOwnerWindow();
  app::Panel panel(windowing, app::storeRegistry(), folder);
  panel.load();
  HWND window = reinterpret_cast<HWND>(windowing.nativeWindow(panel.window()));
  ::UpdateWindow(window);

  using Clock = std::chrono::steady_clock;
  std::vector<double> rebuild;
  std::vector<double> rebuildAndPaint;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = Clock::now();
    panel.rebuildTiles();
    const auto rebuilt = Clock::now();
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const auto painted = Clock::now();
    rebuild.push_back(std::chrono::duration<double, std::milli>(rebuilt - start).count());
    rebuildAndPaint.push_back(std::chrono::duration<double, std::milli>(painted - start).count());
  }
  std::printf("rebuildTiles, %d entries: median %.2f ms (%d rounds)\n", kEntries, bench::median(rebuild),
              kRounds);
  std::printf("rebuildTiles and the paint of every tile: median %.2f ms\n",
              bench::median(rebuildAndPaint));
  windowing.destroyWindow(panel.window());
  store::closeAllDatabases();
  return 0;
}
