#pragma once
// The seam between iconpanel and the operating system: files, byte-range locks, paths and the
// clock. One implementation per platform (posix/, win32/); nothing above this layer calls the
// operating system's file or lock functions itself.
//
// Tests may install their own Env (for example FaultInjectionEnv) with ScopedEnv; every
// caller reaches the file layer through platform::env().

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/error_kind.h"

namespace platform {

enum class Access { Read, ReadWrite };

// What other handles, in this or another process, may do while this one is open.
// On Windows these are the share modes of CreateFileA. On POSIX there are no mandatory share
// modes: they are advisory there, and only Access is enforced.
enum class Sharing { DenyNone, DenyRead, DenyWrite, Exclusive };

enum class Disposition {
  OpenExisting,      // fail with NotFound when the file is missing; never truncates
  CreateOrTruncate,  // create the file, or cut an existing one to length 0
  CreateNew,         // create the file; fail when it exists
};

enum class LockResult {
  Locked,        // the range is now held by this handle
  HeldByOther,   // another handle (of this or another process) holds a byte of the range
  NotSupported,  // the file system has no byte-range locks; proceed without
  Failed,        // any other failure
};

// Outcome of a read or write: the bytes actually transferred, and why it stopped short.
// A read that reaches the end of the file is not an error: count is smaller, error None.
struct IoResult {
  std::size_t count = 0;
  ErrorKind error = ErrorKind::None;
};

struct LengthResult {
  std::uint64_t length = 0;
  ErrorKind error = ErrorKind::None;
};

// An open file. Closed by its destructor; locks held through it are released then.
class File {
 public:
  virtual ~File() = default;
  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  virtual IoResult readAt(std::uint64_t offset, void* buffer, std::size_t count) = 0;
  virtual IoResult writeAt(std::uint64_t offset, const void* data, std::size_t count) = 0;
  virtual LengthResult length() = 0;
  virtual ErrorKind setLength(std::uint64_t length) = 0;

  // Exclusive, non-blocking byte-range locks. Two handles of the same file conflict even
  // within one process, and closing one handle never releases another handle's locks.
  virtual LockResult lock(std::uint64_t offset, std::uint64_t length) = 0;
  virtual ErrorKind unlock(std::uint64_t offset, std::uint64_t length) = 0;
};

struct OpenResult {
  std::unique_ptr<File> file;  // null on failure
  ErrorKind error = ErrorKind::None;
};

class Env {
 public:
  virtual ~Env() = default;

  virtual OpenResult open(const std::string& path, Access access, Sharing sharing,
                          Disposition disposition) = 0;
  // The absolute form of a name, resolved against the working directory; empty on failure.
  virtual std::string fullPath(const std::string& name) = 0;
  virtual bool exists(const std::string& path) = 0;
  // Creates one directory level; the parent must exist.
  virtual ErrorKind createDirectory(const std::string& path) = 0;
  virtual ErrorKind removeFile(const std::string& path) = 0;
  // Moves a file to a new name, replacing a file that has that name.
  virtual ErrorKind renameFile(const std::string& from, const std::string& to) = 0;

  // Milliseconds since an arbitrary start; wraps around like GetTickCount.
  virtual std::uint32_t tickCount() = 0;
  virtual void sleepMilliseconds(std::uint32_t milliseconds) = 0;
};

// The platform's own Env, made once.
Env& defaultEnv();

// The Env that the layers above use: defaultEnv() unless a ScopedEnv is in force.
Env& env();

// Puts another Env in force for its lifetime (tests only), restoring the previous one after.
class ScopedEnv {
 public:
  explicit ScopedEnv(Env& replacement);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  Env* previous_;
};

}  // namespace platform
