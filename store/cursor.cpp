// Counting the records of the current database and moving its cursor.

#include <algorithm>
#include <array>

#include "store/file_io.h"
#include "store/last_error.h"
#include "store/counters.h"
#include "store/store.h"

namespace store {

int readCounters(OpenedDatabase& db, CounterBytes& counters) {
  return readAll(*db.file, format::kRecordCountOffset, counters.data(), counters.size())
      .code(code::countUnreadable);
}

int readRecordCount(OpenedDatabase& db, std::int32_t& count) {
  constexpr std::int32_t kCountWait = 2000;
  std::int32_t waitTime = lockWaitTime();
  if (waitTime <= kCountWait) waitTime = kCountWait;
  ScopedLock countLock;
  if (int result = countLock.take(*db.locks, format::kCountLockOffset, 1, waitTime)) return result;
  CounterBytes counters{};
  if (int result = readCounters(db, counters)) return result;
  count = std::max(int32At<0>(counters), 0);
  return code::ok;
}

std::int32_t countRecords() {
  OpenedDatabase* db = currentDatabase();
  if (!db) return setLastStoreError(code::noCurrentDatabase), 0;
  std::int32_t count = 0;
  if (setLastStoreError(readRecordCount(*db, count)) != code::ok) return 0;
  return count;
}

void goToFirstRecord() {
  OpenedDatabase* db = currentDatabase();
  if (!db) {
    setLastStoreError(code::noCurrentDatabase);
    return;
  }
  db->currentRecord = 0;
  setLastStoreError(code::ok);
}

bool goToRecord(std::int32_t n) {
  OpenedDatabase* db = currentDatabase();
  if (!db) return setLastStoreError(code::noCurrentDatabase) == code::ok;
  std::int32_t count = 0;
  if (setLastStoreError(readRecordCount(*db, count)) != code::ok) return false;
  std::int64_t target = std::min<std::int64_t>(std::int64_t{count} - 1, std::int64_t{n} - 1);
  db->currentRecord = target < 0 ? 0 : static_cast<std::int32_t>(target);
  return true;
}

}  // namespace store
