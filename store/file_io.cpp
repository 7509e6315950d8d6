#include "store/file_io.h"

namespace store {

int Transfer::code(int shortCode) const {
  if (complete) return 0;
  return error != platform::ErrorKind::None ? platform::storeCodeOf(error) : shortCode;
}

Transfer readAll(platform::File& file, std::uint64_t offset, void* buffer, std::size_t count) {
  platform::IoResult result = file.readAt(offset, buffer, count);
  return {result.count == count && result.error == platform::ErrorKind::None, result.error};
}

Transfer writeAll(platform::File& file, std::uint64_t offset, const void* data, std::size_t count) {
  platform::IoResult result = file.writeAt(offset, data, count);
  return {result.count == count && result.error == platform::ErrorKind::None, result.error};
}

}  // namespace store
