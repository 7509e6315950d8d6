#pragma once
// Little-endian integers at fixed places of fixed-size byte arrays: the place is a template
// argument, so a read or write past the array does not compile.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace store {

template <std::size_t Offset, std::size_t N>
std::uint32_t uint32At(const std::array<std::uint8_t, N>& bytes) {
  static_assert(Offset + 4 <= N);
  return static_cast<std::uint32_t>(bytes[Offset]) |
         static_cast<std::uint32_t>(bytes[Offset + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[Offset + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[Offset + 3]) << 24;
}

template <std::size_t Offset, std::size_t N>
std::int32_t int32At(const std::array<std::uint8_t, N>& bytes) {
  return static_cast<std::int32_t>(uint32At<Offset>(bytes));
}

template <std::size_t Offset, std::size_t N>
void putInt32(std::array<std::uint8_t, N>& bytes, std::int32_t value) {
  static_assert(Offset + 4 <= N);
  auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes[Offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// Unsigned integers of 1 to 8 bytes to and from raw bytes, for the fields of a record.
inline std::uint64_t loadLittleEndian(const std::uint8_t* bytes, std::size_t size) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < size; ++i) value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
  return value;
}

inline void storeLittleEndian(std::uint8_t* bytes, std::size_t size, std::uint64_t value) {
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace store
