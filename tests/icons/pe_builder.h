#pragma once
// Builds small PE32 or PE32+ files byte by byte, with one resource section laid out from a
// list of resources, and tells where each header lies so that tests can damage it.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/bytes.h"

namespace icons_test {

using ResourceName = std::variant<std::uint16_t, std::u16string>;

struct Resource {
  std::uint16_t type = 0;
  ResourceName name;
  std::uint16_t language = 0;
  platform::Bytes data;
};

struct BuiltPe {
  platform::Bytes bytes;
  std::size_t peOffset = 0;  // "PE\0\0"
  std::size_t optionalHeaderOffset = 0;
  std::size_t resourceDirectoryField = 0;  // RVA and size of the resource data directory
  std::size_t sectionTableOffset = 0;
  std::size_t sectionOffset = 0;  // file offset of the resource section: the root
  std::uint32_t sectionRva = 0;
};

// Types are laid out in ascending order; within a type, named entries first in the order
// given, then numbered ones in the order given (so an unsorted directory can be made).
BuiltPe buildPe(const std::vector<Resource>& resources, bool pe32Plus = true);

// Bytes of an RT_GROUP_ICON directory listing the given image numbers.
platform::Bytes groupDirectory(const std::vector<std::uint16_t>& imageNumbers);

// A bitmap icon image of the given size and bit count (header, colour table, bits, mask).
platform::Bytes bitmapImage(std::int32_t width, std::int32_t height, std::uint16_t bits);

void putU16(platform::Bytes& bytes, std::size_t at, std::uint16_t value);
void putU32(platform::Bytes& bytes, std::size_t at, std::uint32_t value);

}  // namespace icons_test
