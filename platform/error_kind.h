#pragma once
// The kinds of failure the platform's file layer reports, and the one table that turns them
// into the entry store's result codes.

namespace platform {

enum class ErrorKind {
  None,
  Generic,
  NotFound,
  PathNotFound,
  TooManyOpenFiles,
  AccessDenied,
  InvalidHandle,
  DirectoryFull,
  Seek,
  Hardware,
  SharingViolation,
  LockViolation,
  DiskFull,
  EndOfFile,
};

// The store's result code for a platform failure: 0 for None, otherwise -1 to -15.
int storeCodeOf(ErrorKind kind);

// A short English name of the kind, for diagnostics and test messages.
const char* nameOf(ErrorKind kind);

}  // namespace platform
