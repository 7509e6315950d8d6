// A second process for the tests of appends from several processes:
//   store_test_child append FILE TAG COUNT   appends COUNT entries, waiting for the locks
//   store_test_child append-loop FILE        appends entries until it is killed
// Exit status 0 when done, 1 when an append fails, 2 for a wrong command line.

#include <cstdlib>
#include <string>

#include "store/store.h"
#include "tests/store/test_entries.h"

namespace {

int appendEntries(const std::string& file, const std::string& tag, int count) {
  store::setLockWaitTime(-1);  // wait for the other appenders as long as it takes
  if (!store::openDatabase(file)) return 1;
  for (int n = 0; n < count; ++n)
    if (!store::appendRecord(store_test::entryValues(tag, n, store::countRecords()))) return 1;
  return 0;
}

// Entry n goes into slot n: this is the only appender, so the count is the slot.
int appendUntilKilled(const std::string& file) {
  if (!store::openDatabase(file)) return 1;
  for (;;) {
    std::int32_t n = store::countRecords();
    if (!store::appendRecord(store_test::entryValues("loop", n, n))) return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "append" && argc == 5) return appendEntries(argv[2], argv[3], std::atoi(argv[4]));
  if (command == "append-loop" && argc == 3) return appendUntilKilled(argv[2]);
  return 2;
}
