// The platform layer on Windows: files through CreateFileA/ReadFile/WriteFile at explicit
// offsets, byte-range locks through LockFile/UnlockFile (mandatory: while one handle holds a
// range, another handle's read or write of it fails with a lock violation).

#include <windows.h>

#include <climits>

#include "platform/env.h"
#include "platform/win32/scoped_handle.h"

namespace platform {

namespace {

ErrorKind kindOfError(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS:
      return ErrorKind::None;
    case ERROR_FILE_NOT_FOUND:
      return ErrorKind::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return ErrorKind::PathNotFound;
    case ERROR_TOO_MANY_OPEN_FILES:
      return ErrorKind::TooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return ErrorKind::AccessDenied;
    case ERROR_INVALID_HANDLE:
      return ErrorKind::InvalidHandle;
    case ERROR_CANNOT_MAKE:
      return ErrorKind::DirectoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
      return ErrorKind::Seek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
      return ErrorKind::Hardware;
    case ERROR_SHARING_VIOLATION:
      return ErrorKind::SharingViolation;
    case ERROR_LOCK_VIOLATION:
      return ErrorKind::LockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ErrorKind::DiskFull;
    case ERROR_HANDLE_EOF:
      return ErrorKind::EndOfFile;
    default:
      return ErrorKind::Generic;
  }
}

ErrorKind lastKind() { return kindOfError(::GetLastError()); }

OVERLAPPED at(std::uint64_t offset) {
  OVERLAPPED position = {};
  position.Offset = static_cast<DWORD>(offset);
  position.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return position;
}

// ReadFile and WriteFile move at most a DWORD's worth per call.
constexpr std::size_t kChunk = 1u << 30;

class Win32File : public File {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}

  IoResult readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
    if (offset > static_cast<std::uint64_t>(LLONG_MAX) - count) return {0, ErrorKind::Seek};
    std::size_t done = 0;
    while (done < count) {
      DWORD want = static_cast<DWORD>(count - done < kChunk ? count - done : kChunk);
      DWORD got = 0;
      OVERLAPPED position = at(offset + done);
      if (!::ReadFile(handle_.get(), static_cast<char*>(buffer) + done, want, &got, &position)) {
        DWORD error = ::GetLastError();
        if (error == ERROR_HANDLE_EOF) break;
        return {done, kindOfError(error)};
      }
      done += got;
      if (got == 0) break;
    }
    return {done, ErrorKind::None};
  }

  IoResult writeAt(std::uint64_t offset, const void* data, std::size_t count) override {
    if (offset > static_cast<std::uint64_t>(LLONG_MAX) - count) return {0, ErrorKind::Seek};
    std::size_t done = 0;
    while (done < count) {
      DWORD want = static_cast<DWORD>(count - done < kChunk ? count - done : kChunk);
      DWORD put = 0;
      OVERLAPPED position = at(offset + done);
      if (!::WriteFile(handle_.get(), static_cast<const char*>(data) + done, want, &put,
                       &position))
        return {done, lastKind()};
      if (put == 0) return {done, ErrorKind::DiskFull};
      done += put;
    }
    return {done, ErrorKind::None};
  }

  LengthResult length() override {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(handle_.get(), &size)) return {0, lastKind()};
    return {static_cast<std::uint64_t>(size.QuadPart), ErrorKind::None};
  }

  ErrorKind setLength(std::uint64_t length) override {
    if (length > static_cast<std::uint64_t>(LLONG_MAX)) return ErrorKind::Seek;
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(length);
    if (!::SetFilePointerEx(handle_.get(), position, nullptr, FILE_BEGIN)) return lastKind();
    if (!::SetEndOfFile(handle_.get())) return lastKind();
    return ErrorKind::None;
  }

  LockResult lock(std::uint64_t offset, std::uint64_t length) override {
    if (::LockFile(handle_.get(), static_cast<DWORD>(offset), static_cast<DWORD>(offset >> 32),
                   static_cast<DWORD>(length), static_cast<DWORD>(length >> 32)))
      return LockResult::Locked;
    switch (::GetLastError()) {
      case ERROR_LOCK_VIOLATION:
      case ERROR_LOCK_FAILED:
        return LockResult::HeldByOther;
      case ERROR_NOT_SUPPORTED:
      case ERROR_INVALID_FUNCTION:
        return LockResult::NotSupported;
      default:
        return LockResult::Failed;
    }
  }

  ErrorKind unlock(std::uint64_t offset, std::uint64_t length) override {
    if (::UnlockFile(handle_.get(), static_cast<DWORD>(offset), static_cast<DWORD>(offset >> 32),
                     static_cast<DWORD>(length), static_cast<DWORD>(length >> 32)))
      return ErrorKind::None;
    return lastKind();
  }

 private:
  ScopedHandle handle_;
};

DWORD shareModeOf(Sharing sharing) {
  switch (sharing) {
    case Sharing::DenyNone:
      return FILE_SHARE_READ | FILE_SHARE_WRITE;
    case Sharing::DenyRead:
      return FILE_SHARE_WRITE;
    case Sharing::DenyWrite:
      return FILE_SHARE_READ;
    case Sharing::Exclusive:
      return 0;
  }
  return 0;
}

DWORD creationOf(Disposition disposition) {
  switch (disposition) {
    case Disposition::OpenExisting:
      return OPEN_EXISTING;
    case Disposition::CreateOrTruncate:
      return CREATE_ALWAYS;
    case Disposition::CreateNew:
      return CREATE_NEW;
  }
  return OPEN_EXISTING;
}

class Win32Env : public Env {
 public:
  OpenResult open(const std::string& path, Access access, Sharing sharing,
                  Disposition disposition) override {
    if (path.empty()) return {nullptr, ErrorKind::NotFound};
    DWORD desired = GENERIC_READ | (access == Access::ReadWrite ? GENERIC_WRITE : 0);
    HANDLE handle = ::CreateFileA(path.c_str(), desired, shareModeOf(sharing), nullptr,
                                  creationOf(disposition), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {nullptr, lastKind()};
    return {std::make_unique<Win32File>(handle), ErrorKind::None};
  }

  std::string fullPath(const std::string& name) override {
    if (name.empty()) return {};
    std::string buffer(MAX_PATH, '\0');
    DWORD length = ::GetFullPathNameA(name.c_str(), static_cast<DWORD>(buffer.size()),
                                      buffer.data(), nullptr);
    if (length >= buffer.size()) {
      buffer.assign(length, '\0');
      length = ::GetFullPathNameA(name.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(),
                                  nullptr);
    }
    if (length == 0 || length >= buffer.size()) return {};
    buffer.resize(length);
    return buffer;
  }

  bool exists(const std::string& path) override {
    return !path.empty() && ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  ErrorKind createDirectory(const std::string& path) override {
    return ::CreateDirectoryA(path.c_str(), nullptr) ? ErrorKind::None : lastKind();
  }

  ErrorKind removeFile(const std::string& path) override {
    return ::DeleteFileA(path.c_str()) ? ErrorKind::None : lastKind();
  }

  ErrorKind renameFile(const std::string& from, const std::string& to) override {
    return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) ? ErrorKind::None
                                                                               : lastKind();
  }

  std::uint32_t tickCount() override { return ::GetTickCount(); }
  void sleepMilliseconds(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
};

}  // namespace

Env& defaultEnv() {
  static Win32Env instance;
  return instance;
}

}  // namespace platform
