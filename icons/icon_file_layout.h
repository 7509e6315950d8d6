#pragma once
// The layout of an icon (or cursor) file: a 6-byte header, then one 16-byte directory entry
// per image, then the images. Readers and the writer share these offsets.

#include <cstddef>
#include <cstdint>

namespace icons::ico {

inline constexpr std::size_t kHeaderSize = 6;
inline constexpr std::size_t kEntrySize = 16;
inline constexpr std::uint16_t kIconType = 1;
inline constexpr std::uint16_t kCursorType = 2;

// Offsets within a directory entry.
inline constexpr std::size_t kEntryWidth = 0;
inline constexpr std::size_t kEntryColourCount = 2;
inline constexpr std::size_t kEntryByteCount = 8;
inline constexpr std::size_t kEntryOffset = 12;

}  // namespace icons::ico
