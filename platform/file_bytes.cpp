#include "platform/file_bytes.h"

#include "platform/env.h"

namespace platform {

Bytes readFileBytes(const std::string& name) {
  if (name.empty()) return {};
  OpenResult opened = env().open(name, Access::Read, Sharing::DenyWrite, Disposition::OpenExisting);
  if (!opened.file) return {};
  LengthResult size = opened.file->length();
  if (size.error != ErrorKind::None || size.length == 0 || size.length > SIZE_MAX / 2) return {};
  Bytes bytes(static_cast<std::size_t>(size.length));
  IoResult read = opened.file->readAt(0, bytes.data(), bytes.size());
  // A file that shrank meanwhile yields what was there; a read error yields nothing.
  if (read.error != ErrorKind::None) return {};
  bytes.resize(read.count);
  return bytes;
}

bool writeFileBytes(const std::string& name, const Bytes& bytes) {
  if (name.empty()) return false;
  OpenResult opened =
      env().open(name, Access::ReadWrite, Sharing::DenyWrite, Disposition::CreateOrTruncate);
  if (!opened.file) return false;
  if (bytes.empty()) return true;
  IoResult written = opened.file->writeAt(0, bytes.data(), bytes.size());
  return written.error == ErrorKind::None && written.count == bytes.size();
}

}  // namespace platform
