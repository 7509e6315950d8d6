#pragma once
// What the qdb tool needs beyond the panel's operations: the layout of the current database,
// the serial of its current record, and a walk of its auxiliary file's free list.

#include <cstdint>
#include <string>
#include <vector>

#include "store/format.h"

namespace store {

struct DatabaseInfo {
  std::string fullPath;
  std::int32_t version = 0;
  std::int32_t recordSize = 0;
  std::uint64_t dataStart = 0;
  std::int32_t recordCount = 0;  // as the file holds it now
  std::int32_t nextSerial = 0;
  bool hasAuxiliaryFile = false;
  std::vector<format::FieldDescriptor> fields;
};

// The current database. False, with lastStoreError() set, when there is none or its counters
// cannot be read.
bool describeCurrentDatabase(DatabaseInfo& info);

// The serial of the current record: positive, or negative for a record marked deleted.
bool readSerial(std::int32_t& serial);

struct FreeListInfo {
  std::int32_t blockCount = 0;
  std::int32_t freeCount = 0;
  std::int32_t listed = 0;  // blocks found along the list
};

// Follows the free list of the current database's auxiliary file. False (-59) when the list
// leaves the counted blocks, loops, or holds a different number of blocks than freeCount;
// true with nothing listed for a database without an auxiliary file.
bool walkFreeList(FreeListInfo& info);

}  // namespace store
