#pragma once
// Byte-range locks on one file as the store takes them: counted per offset, so that a lock
// this database already holds is only nested, and retried while another process holds the
// range, as long as the wait time allows.

#include <cstdint>
#include <map>

#include "platform/env.h"

namespace store {

// Calls attempt() until it stops being refused, pausing 20 to 39 milliseconds between
// attempts, for as long as waitTime allows (0: never retry, -1: without limit, otherwise until
// that many milliseconds have passed since the first attempt). attempt() returns true when it
// was refused and may be retried.
template <typename Attempt>
void retryWhileRefused(std::int32_t waitTime, Attempt attempt);

class LockTable {
 public:
  // noLocks: the database was opened denying others the file; locking does nothing then.
  LockTable(platform::File& file, bool noLocks) : file_(file), noLocks_(noLocks) {}
  ~LockTable() { releaseAll(); }
  LockTable(const LockTable&) = delete;
  LockTable& operator=(const LockTable&) = delete;

  // 0, or -13 (held by another process after the wait), -28 (any other failure).
  int lock(std::uint64_t offset, std::uint64_t length, std::int32_t waitTime);
  // 0, or -29 (not held, or the operating system refused).
  int unlock(std::uint64_t offset);
  void releaseAll();

 private:
  struct Entry {
    std::uint64_t length = 0;
    int nesting = 0;
    bool held = false;  // false where the file system has no byte-range locks
  };
  platform::File& file_;
  bool noLocks_;
  std::map<std::uint64_t, Entry> entries_;
};

// One lock taken through a table, released when it goes out of scope.
class ScopedLock {
 public:
  ScopedLock() = default;
  ~ScopedLock() { release(); }
  ScopedLock(ScopedLock&& other) noexcept : table_(other.table_), offset_(other.offset_) {
    other.table_ = nullptr;
  }
  ScopedLock& operator=(ScopedLock&& other) noexcept;

  // Takes the lock with the process's lockWaitTime, or with waitTime when given.
  int take(LockTable& table, std::uint64_t offset, std::uint64_t length = 1);
  int take(LockTable& table, std::uint64_t offset, std::uint64_t length, std::int32_t waitTime);
  void release();

 private:
  LockTable* table_ = nullptr;
  std::uint64_t offset_ = 0;
};

template <typename Attempt>
void retryWhileRefused(std::int32_t waitTime, Attempt attempt) {
  platform::Env& env = platform::env();
  const std::uint32_t start = env.tickCount();
  while (attempt()) {
    // Only -1 waits without limit: any other time below 1 has passed at the first refusal.
    // Unsigned subtraction keeps the elapsed time right when the tick count wraps.
    if (waitTime != -1 &&
        (waitTime <= 0 || env.tickCount() - start >= static_cast<std::uint32_t>(waitTime)))
      return;
    env.sleepMilliseconds(20 + env.tickCount() % 20);
  }
}

}  // namespace store
