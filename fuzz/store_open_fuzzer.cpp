// Opens fuzzed bytes as a database file (with or without an auxiliary file), counts its
// records, moves to each and reads every field of it.
//
// Input: byte 0 holds flags (bit 0: an auxiliary file is written, bit 1: the open is
// read-only), bytes 1 and 2 the database file's length (little-endian); the database file's
// bytes follow, and whatever remains is the auxiliary file.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "platform/env.h"
#include "platform/file_bytes.h"
#include "store/inspect.h"
#include "store/store.h"

namespace {

// One folder for the whole run, removed at its end; the two files are rewritten for every
// input.
class Folder {
 public:
  Folder() : path_(std::filesystem::temp_directory_path() /
                   ("store_open_fuzzer-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(path_);
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string file(const char* name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

const Folder& folder() {
  static const Folder instance;
  return instance;
}

// readField is only given field numbers that exist, so no fatal error may come.
void fatalErrorIsAFinding(int, const std::string&) { std::abort(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const bool withAuxiliary = data[0] & 1;
  const std::int32_t readOnly = (data[0] & 2) ? 1 : 0;
  std::size_t databaseLength = std::min<std::size_t>(data[1] | (data[2] << 8), size - 3);
  const std::uint8_t* databaseBytes = data + 3;
  const std::uint8_t* auxiliaryBytes = databaseBytes + databaseLength;

  const std::string database = folder().file("fuzzed.qdb");
  const std::string auxiliary = folder().file("fuzzed.QDT");
  platform::writeFileBytes(database, platform::Bytes(databaseBytes, databaseBytes + databaseLength));
  platform::env().removeFile(auxiliary);
  if (withAuxiliary)
    platform::writeFileBytes(auxiliary, platform::Bytes(auxiliaryBytes, data + size));

  store::setFatalErrorHook(fatalErrorIsAFinding);
  if (store::openDatabase(database, "fuzzed", readOnly)) {
    store::DatabaseInfo info;
    if (store::describeCurrentDatabase(info)) {
      std::int32_t count = store::countRecords();
      store::goToFirstRecord();
      for (std::int32_t n = 1; n <= count; ++n) {
        store::goToRecord(n);
        std::int32_t serial = 0;
        store::readSerial(serial);
        for (std::size_t field = 1; field <= info.fields.size(); ++field)
          store::readField(static_cast<std::int32_t>(field));
      }
      store::FreeListInfo freeList;
      store::walkFreeList(freeList);
    }
  }
  store::closeAllDatabases();
  return 0;
}
