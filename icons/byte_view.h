#pragma once
// Little-endian fields read out of bytes in memory, every read checked against the bytes that
// are there: a field that does not lie wholly inside gives nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace icons {

class ByteView {
 public:
  explicit ByteView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  bool holds(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }

  std::optional<std::uint8_t> u8(std::size_t offset) const {
    if (!holds(offset, 1)) return std::nullopt;
    return bytes_[offset];
  }
  std::optional<std::uint16_t> u16(std::size_t offset) const {
    if (!holds(offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
  }
  std::optional<std::uint32_t> u32(std::size_t offset) const {
    if (!holds(offset, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(bytes_[offset]) |
           static_cast<std::uint32_t>(bytes_[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
  }
  std::optional<std::uint32_t> u32BigEndian(std::size_t offset) const {
    if (!holds(offset, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(bytes_[offset]) << 24 |
           static_cast<std::uint32_t>(bytes_[offset + 1]) << 16 |
           static_cast<std::uint32_t>(bytes_[offset + 2]) << 8 |
           static_cast<std::uint32_t>(bytes_[offset + 3]);
  }
  std::optional<std::span<const std::uint8_t>> range(std::size_t offset, std::size_t count) const {
    if (!holds(offset, count)) return std::nullopt;
    return bytes_.subspan(offset, count);
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace icons
