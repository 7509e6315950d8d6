#pragma once
// The process-wide registry of open databases and what it knows of each one.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/env.h"
#include "store/format.h"
#include "store/lock_table.h"

namespace store {

struct OpenedDatabase {
  // Members are destroyed in reverse order: the lock tables release their locks before the
  // files that hold them are closed.
  std::unique_ptr<platform::File> file;
  std::unique_ptr<platform::File> auxiliary;  // null when no field keeps its value there
  std::optional<LockTable> locks;
  std::optional<LockTable> auxiliaryLocks;

  std::string fullPath;
  std::string bareName;
  std::string alias;
  std::vector<format::FieldDescriptor> descriptors;
  std::int32_t version = 0;
  std::int32_t recordSize = 0;
  std::uint64_t dataStart = 0;
  std::int32_t currentRecord = 0;

  std::uint64_t recordOffset(std::int32_t record) const {
    return dataStart + static_cast<std::uint64_t>(record) * static_cast<std::uint64_t>(recordSize);
  }
};

struct Registry {
  std::vector<std::unique_ptr<OpenedDatabase>> databases;  // in the order they were opened
  std::int32_t current = -1;
};

Registry& registry();
OpenedDatabase* currentDatabase();
// The database an alias, bare name or full path names; null when none does.
OpenedDatabase* findDatabase(std::string_view name);

}  // namespace store
