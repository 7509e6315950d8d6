#pragma once
// Whole reads and writes through the platform's file layer, telling a transfer that stopped
// short apart from one that the file layer reported as failed.

#include <cstddef>
#include <cstdint>

#include "platform/env.h"

namespace store {

struct Transfer {
  bool complete = false;
  platform::ErrorKind error = platform::ErrorKind::None;

  // The result code of an incomplete transfer: the code of the file layer's error, or
  // shortCode when the transfer merely stopped short.
  int code(int shortCode) const;
};

Transfer readAll(platform::File& file, std::uint64_t offset, void* buffer, std::size_t count);
Transfer writeAll(platform::File& file, std::uint64_t offset, const void* data, std::size_t count);

}  // namespace store
