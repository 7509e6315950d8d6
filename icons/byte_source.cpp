#include "icons/byte_source.h"

#include <cstring>

namespace icons {

bool MemoryByteSource::readExact(std::uint64_t offset, void* buffer, std::size_t count) {
  if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
  if (count > 0) std::memcpy(buffer, bytes_.data() + offset, count);
  return true;
}

std::unique_ptr<FileByteSource> FileByteSource::open(const std::string& path,
                                                     platform::Sharing sharing) {
  if (path.empty()) return nullptr;
  platform::OpenResult opened = platform::env().open(path, platform::Access::Read, sharing,
                                                     platform::Disposition::OpenExisting);
  if (!opened.file) return nullptr;
  platform::LengthResult length = opened.file->length();
  if (length.error != platform::ErrorKind::None) return nullptr;
  return std::unique_ptr<FileByteSource>(new FileByteSource(std::move(opened.file), length.length));
}

bool FileByteSource::readExact(std::uint64_t offset, void* buffer, std::size_t count) {
  if (offset > size_ || count > size_ - offset) return false;
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  // A read may transfer fewer bytes than asked without having reached the end; only a read
  // that transfers nothing ends the attempt.
  while (done < count) {
    platform::IoResult result = file_->readAt(offset + done, out + done, count - done);
    if (result.error != platform::ErrorKind::None || result.count == 0) return false;
    done += result.count;
  }
  return true;
}

}  // namespace icons
