#include "store/lock_table.h"

#include "store/result_codes.h"
#include "store/store.h"

namespace store {

int LockTable::lock(std::uint64_t offset, std::uint64_t length, std::int32_t waitTime) {
  if (noLocks_) return code::ok;
  auto found = entries_.find(offset);
  if (found != entries_.end()) {
    ++found->second.nesting;
    return code::ok;
  }
  platform::LockResult result = platform::LockResult::Failed;
  retryWhileRefused(waitTime, [&] {
    result = file_.lock(offset, length);
    return result == platform::LockResult::HeldByOther;
  });
  switch (result) {
    case platform::LockResult::Locked:
    case platform::LockResult::NotSupported:
      entries_[offset] = {length, 0, result == platform::LockResult::Locked};
      return code::ok;
    case platform::LockResult::HeldByOther:
      return code::lockViolation;
    case platform::LockResult::Failed:
      break;
  }
  return code::lockFailed;
}

int LockTable::unlock(std::uint64_t offset) {
  if (noLocks_) return code::ok;
  auto found = entries_.find(offset);
  if (found == entries_.end()) return code::unlockFailed;
  if (found->second.nesting > 0) {
    --found->second.nesting;
    return code::ok;
  }
  Entry entry = found->second;
  entries_.erase(found);
  if (entry.held && file_.unlock(offset, entry.length) != platform::ErrorKind::None)
    return code::unlockFailed;
  return code::ok;
}

void LockTable::releaseAll() {
  for (const auto& [offset, entry] : entries_)
    if (entry.held) file_.unlock(offset, entry.length);
  entries_.clear();
}

ScopedLock& ScopedLock::operator=(ScopedLock&& other) noexcept {
  if (this != &other) {
    release();
    table_ = other.table_;
    offset_ = other.offset_;
    other.table_ = nullptr;
  }
  return *this;
}

int ScopedLock::take(LockTable& table, std::uint64_t offset, std::uint64_t length) {
  return take(table, offset, length, lockWaitTime());
}

int ScopedLock::take(LockTable& table, std::uint64_t offset, std::uint64_t length,
                     std::int32_t waitTime) {
  release();
  int result = table.lock(offset, length, waitTime);
  if (result == code::ok) {
    table_ = &table;
    offset_ = offset;
  }
  return result;
}

void ScopedLock::release() {
  if (table_) table_->unlock(offset_);
  table_ = nullptr;
}

}  // namespace store
