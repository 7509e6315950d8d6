#include "platform/error_kind.h"

namespace platform {

namespace {
struct KindEntry {
  ErrorKind kind;
  int storeCode;
  const char* name;
};

// The one table from platform failures to the store's result codes.
constexpr KindEntry kKinds[] = {
    {ErrorKind::None, 0, "none"},
    {ErrorKind::Generic, -1, "generic failure"},
    {ErrorKind::NotFound, -3, "file not found"},
    {ErrorKind::PathNotFound, -4, "path not found"},
    {ErrorKind::TooManyOpenFiles, -5, "too many open files"},
    {ErrorKind::AccessDenied, -6, "access denied"},
    {ErrorKind::InvalidHandle, -7, "invalid handle"},
    {ErrorKind::DirectoryFull, -9, "directory full"},
    {ErrorKind::Seek, -10, "seek failed"},
    {ErrorKind::Hardware, -11, "hardware error"},
    {ErrorKind::SharingViolation, -12, "sharing violation"},
    {ErrorKind::LockViolation, -13, "lock violation"},
    {ErrorKind::DiskFull, -14, "disk full"},
    {ErrorKind::EndOfFile, -15, "end of file"},
};

const KindEntry& entryOf(ErrorKind kind) {
  for (const KindEntry& entry : kKinds)
    if (entry.kind == kind) return entry;
  return kKinds[1];
}
}  // namespace

int storeCodeOf(ErrorKind kind) { return entryOf(kind).storeCode; }
const char* nameOf(ErrorKind kind) { return entryOf(kind).name; }

}  // namespace platform
