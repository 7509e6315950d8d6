#include "store/inspect.h"

#include <array>
#include <set>

#include "store/file_io.h"
#include "store/last_error.h"
#include "store/opened_database.h"
#include "store/counters.h"
#include "store/store.h"

namespace store {

namespace {

using namespace format;

int describe(DatabaseInfo& info) {
  OpenedDatabase* db = currentDatabase();
  if (!db) return code::noCurrentDatabase;
  ScopedLock countLock;
  if (int result = countLock.take(*db->locks, kCountLockOffset)) return result;
  CounterBytes counters{};
  if (int result = readCounters(*db, counters)) return result;
  info.fullPath = db->fullPath;
  info.version = db->version;
  info.recordSize = db->recordSize;
  info.dataStart = db->dataStart;
  info.recordCount = int32At<0>(counters);
  info.nextSerial = int32At<4>(counters);
  info.hasAuxiliaryFile = db->auxiliary != nullptr;
  info.fields = db->descriptors;
  return code::ok;
}

int serialOf(std::int32_t& serial) {
  OpenedDatabase* db = currentDatabase();
  if (!db) return code::noCurrentDatabase;
  if (db->currentRecord < 0) return code::noCurrentRecord;
  std::uint64_t record = db->recordOffset(db->currentRecord);
  ScopedLock recordLock;
  if (int result = recordLock.take(*db->locks, record)) return result;
  std::array<std::uint8_t, kSerialSize> bytes{};
  Transfer read = readAll(*db->file, record, bytes.data(), bytes.size());
  if (int result = read.code(code::seekFailed)) return result;
  serial = int32At<0>(bytes);
  return code::ok;
}

int walk(FreeListInfo& info) {
  OpenedDatabase* db = currentDatabase();
  if (!db) return code::noCurrentDatabase;
  info = {};
  if (!db->auxiliary) return code::ok;
  ScopedLock headerLock;
  if (int result = headerLock.take(*db->auxiliaryLocks, kAuxiliaryHeaderLock)) return result;
  AuxiliaryHeaderBytes headerBytes{};
  Transfer read = readAll(*db->auxiliary, 0, headerBytes.data(), headerBytes.size());
  if (int result = read.code(code::auxiliaryAccess)) return result;
  AuxiliaryHeader header = parseAuxiliaryHeader(headerBytes);
  info.blockCount = header.blockCount;
  info.freeCount = header.freeCount;
  std::set<std::int32_t> seen;
  for (std::int32_t block = header.freeHead; block != 0;) {
    if (block < 1 || block >= header.blockCount || info.listed == header.freeCount ||
        !seen.insert(block).second)
      return code::auxiliaryAccess;
    ++info.listed;
    std::array<std::uint8_t, kBlockHeaderSize> bytes{};
    read = readAll(*db->auxiliary, static_cast<std::uint64_t>(block) * kBlockSize, bytes.data(), bytes.size());
    if (int result = read.code(code::auxiliaryAccess)) return result;
    block = parseBlockHeader(bytes).next;
  }
  return info.listed == header.freeCount ? code::ok : code::auxiliaryAccess;
}

}  // namespace

bool describeCurrentDatabase(DatabaseInfo& info) { return setLastStoreError(describe(info)) == code::ok; }
bool readSerial(std::int32_t& serial) { return setLastStoreError(serialOf(serial)) == code::ok; }
bool walkFreeList(FreeListInfo& info) { return setLastStoreError(walk(info)) == code::ok; }

}  // namespace store
