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
#include "app/panel_icon.h"
#include "app/win32/win32_backend.h"
#include "app/windowing.h"
#include "platform/file_bytes.h"
#include "store/create_database.h"
#include "store/store.h"

namespace {

constexpr int kEntries = 100;
constexpr int kRounds = 50;

bool makeStore(const std::string& folder) {
  using store::format::FieldType;
  const std::string iconFolder = folder + "\\tubiao";
  const std::string path = iconFolder + "\\wenjia.qdb";
  if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  ::CreateDirectoryA(iconFolder.c_str(), nullptr);
  if (store::createDatabase(path, {{"xuhao", FieldType::Text, 16},
                                   {"wenjian", FieldType::Text, 260},
                                   {"tubiao", FieldType::Text, 260}}) != 0 ||
      !store::openDatabase(path, "bench")) {
    return false;
  }
  for (int i = 0; i < kEntries; ++i) {
    const std::string image = iconFolder + "\\program" + std::to_string(i) + ".jpg";
    if (!platform::writeFileBytes(image, app::panelIconBytes()) ||
        !store::appendRecord(
            {std::to_string(i), "C:\\Programs\\program" + std::to_string(i) + ".exe", image})) {
      return false;
    }
  }
  store::closeAllDatabases();
  return true;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: rebuild_timing FOLDER\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  if (!makeStore(folder)) {
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
  std::printf("rebuildTiles, %d entries: median %.2f ms (%d rounds)\n", kEntries, median(rebuild),
              kRounds);
  std::printf("rebuildTiles and the paint of every tile: median %.2f ms\n",
              median(rebuildAndPaint));
  windowing.destroyWindow(panel.window());
  store::closeAllDatabases();
  return 0;
}
