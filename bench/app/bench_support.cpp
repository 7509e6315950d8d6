#include "bench/app/bench_support.h"

#include <windows.h>

#include <algorithm>

#include "app/panel_icon.h"
#include "platform/file_bytes.h"
#include "store/create_database.h"
#include "store/store.h"

namespace bench {

bool makeBenchStore(const std::string& folder, int entries) {
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
  for (int i = 0; i < entries; ++i) {
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

}  // namespace bench
