// The platform layer on POSIX systems (Linux): files through open/pread/pwrite, byte-range
// locks through open file description (OFD) locks.
//
// Why OFD locks: classic fcntl(F_SETLK) locks belong to the process, not to the handle. Two
// handles of one file in one process never conflict, and closing ANY handle of the file drops
// every lock the process holds on it. The store opens the same file through several handles
// and expects a lock to exclude every other handle, and to survive the close of another one;
// OFD locks give exactly that, like LockFile on Windows.
//
// Sharing modes (DenyRead, DenyWrite, Exclusive) have no mandatory equivalent on POSIX; they
// are accepted and not enforced here. Only the access mode is.

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>

#include "platform/env.h"

namespace platform {

namespace {

ErrorKind kindOfErrno(int error) {
  switch (error) {
    case 0:
      return ErrorKind::None;
    case ENOENT:
      return ErrorKind::NotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
      return ErrorKind::PathNotFound;
    case EMFILE:
    case ENFILE:
      return ErrorKind::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return ErrorKind::AccessDenied;
    case EBADF:
      return ErrorKind::InvalidHandle;
    case EMLINK:
      return ErrorKind::DirectoryFull;
    case ESPIPE:
    case EOVERFLOW:
    case EFBIG:
      return ErrorKind::Seek;
    case EIO:
      return ErrorKind::Hardware;
    case EAGAIN:
      return ErrorKind::LockViolation;
    case ENOSPC:
    case EDQUOT:
      return ErrorKind::DiskFull;
    default:
      return ErrorKind::Generic;
  }
}

// POSIX reports a missing folder and a missing file alike (ENOENT); Windows tells them apart,
// and so does the store. A name whose folder is missing is "path not found".
ErrorKind kindOfOpenErrno(int error, const std::string& path) {
  if (error != ENOENT) return kindOfErrno(error);
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (parent.empty()) return ErrorKind::NotFound;
  struct stat info;
  if (::stat(parent.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return ErrorKind::PathNotFound;
  return ErrorKind::NotFound;
}

bool fitsOffset(std::uint64_t offset, std::uint64_t count) {
  return offset <= static_cast<std::uint64_t>(LLONG_MAX) &&
         count <= static_cast<std::uint64_t>(LLONG_MAX) - offset;
}

class PosixFile : public File {
 public:
  PosixFile(int fd, bool writable) : fd_(fd), writable_(writable) {}
  ~PosixFile() override { ::close(fd_); }

  IoResult readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
    if (!fitsOffset(offset, count)) return {0, ErrorKind::Seek};
    std::size_t done = 0;
    while (done < count) {
      ssize_t n = ::pread(fd_, static_cast<char*>(buffer) + done, count - done,
                          static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return {done, kindOfErrno(errno)};
      if (n == 0) break;  // end of file
      done += static_cast<std::size_t>(n);
    }
    return {done, ErrorKind::None};
  }

  IoResult writeAt(std::uint64_t offset, const void* data, std::size_t count) override {
    if (!fitsOffset(offset, count)) return {0, ErrorKind::Seek};
    std::size_t done = 0;
    while (done < count) {
      ssize_t n = ::pwrite(fd_, static_cast<const char*>(data) + done, count - done,
                           static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return {done, kindOfErrno(errno)};
      if (n == 0) return {done, ErrorKind::DiskFull};
      done += static_cast<std::size_t>(n);
    }
    return {done, ErrorKind::None};
  }

  LengthResult length() override {
    struct stat info;
    if (::fstat(fd_, &info) != 0) return {0, kindOfErrno(errno)};
    return {static_cast<std::uint64_t>(info.st_size), ErrorKind::None};
  }

  ErrorKind setLength(std::uint64_t length) override {
    if (!fitsOffset(length, 0)) return ErrorKind::Seek;
    while (::ftruncate(fd_, static_cast<off_t>(length)) != 0) {
      if (errno != EINTR) return kindOfErrno(errno);
    }
    return ErrorKind::None;
  }

  // A handle opened for reading only cannot hold a write lock on POSIX; it takes a read lock,
  // which still excludes every writer's lock. Two readers' locks do not exclude each other,
  // which is harmless: such a handle never writes.
  LockResult lock(std::uint64_t offset, std::uint64_t length) override {
    if (!fitsOffset(offset, length)) return LockResult::Failed;
    struct flock range = {};
    range.l_type = writable_ ? F_WRLCK : F_RDLCK;
    range.l_whence = SEEK_SET;
    range.l_start = static_cast<off_t>(offset);
    range.l_len = static_cast<off_t>(length);
    if (::fcntl(fd_, F_OFD_SETLK, &range) == 0) return LockResult::Locked;
    switch (errno) {
      case EAGAIN:
      case EACCES:
        return LockResult::HeldByOther;
      case ENOLCK:
      case EOPNOTSUPP:
        return LockResult::NotSupported;
      default:
        return LockResult::Failed;
    }
  }

  ErrorKind unlock(std::uint64_t offset, std::uint64_t length) override {
    if (!fitsOffset(offset, length)) return ErrorKind::Seek;
    struct flock range = {};
    range.l_type = F_UNLCK;
    range.l_whence = SEEK_SET;
    range.l_start = static_cast<off_t>(offset);
    range.l_len = static_cast<off_t>(length);
    if (::fcntl(fd_, F_OFD_SETLK, &range) != 0) return kindOfErrno(errno);
    return ErrorKind::None;
  }

 private:
  int fd_;
  bool writable_;
};

class PosixEnv : public Env {
 public:
  OpenResult open(const std::string& path, Access access, Sharing, Disposition disposition) override {
    int flags = O_CLOEXEC | (access == Access::ReadWrite ? O_RDWR : O_RDONLY);
    if (disposition == Disposition::CreateOrTruncate) flags |= O_CREAT | O_TRUNC;
    if (disposition == Disposition::CreateNew) flags |= O_CREAT | O_EXCL;
    if (path.empty()) return {nullptr, ErrorKind::NotFound};
    int fd;
    do {
      fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return {nullptr, kindOfOpenErrno(errno, path)};
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
      ::close(fd);
      return {nullptr, ErrorKind::AccessDenied};
    }
    return {std::make_unique<PosixFile>(fd, access == Access::ReadWrite), ErrorKind::None};
  }

  std::string fullPath(const std::string& name) override {
    if (name.empty()) return {};
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(name, error);
    if (error) return {};
    return absolute.lexically_normal().string();
  }

  bool exists(const std::string& path) override {
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
  }

  ErrorKind createDirectory(const std::string& path) override {
    if (::mkdir(path.c_str(), 0777) == 0) return ErrorKind::None;
    return kindOfOpenErrno(errno, path);
  }

  ErrorKind removeFile(const std::string& path) override {
    if (::unlink(path.c_str()) == 0) return ErrorKind::None;
    return kindOfOpenErrno(errno, path);
  }

  ErrorKind renameFile(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) == 0) return ErrorKind::None;
    return kindOfOpenErrno(errno, from);
  }

  std::uint32_t tickCount() override {
    struct timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                       static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
  }

  void sleepMilliseconds(std::uint32_t milliseconds) override {
    struct timespec wait = {static_cast<time_t>(milliseconds / 1000),
                            static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
  }
};

}  // namespace

Env& defaultEnv() {
  static PosixEnv instance;
  return instance;
}

}  // namespace platform
