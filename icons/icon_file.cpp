#include "icons/icon_file.h"

#include <array>

#include "icons/byte_view.h"
#include "icons/icon_file_layout.h"
#include "icons/icon_file_reader.h"
#include "icons/icon_set_limit.h"

namespace icons {
namespace {

using namespace ico;


}  // namespace

std::optional<IconImageSet> readIconFile(ByteSource& source) {
  std::array<std::uint8_t, kHeaderSize> header;
  if (!source.readExact(0, header.data(), header.size())) return std::nullopt;
  ByteView headerView(header);
  if (*headerView.u16(0) != 0 || *headerView.u16(2) != kIconType) return std::nullopt;
  const std::uint16_t count = *headerView.u16(4);

  platform::Bytes directory(std::size_t{count} * kEntrySize);
  if (!source.readExact(kHeaderSize, directory.data(), directory.size())) return std::nullopt;
  ByteView entries(directory);
  IconImageSet set;
  set.images.reserve(count);
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t byteCount = *entries.u32(i * kEntrySize + kEntryByteCount);
    const std::uint32_t offset = *entries.u32(i * kEntrySize + kEntryOffset);
    // Checked against the file before anything is allocated for the image.
    total += byteCount;
    if (total > kMaxIconSetBytes || offset > source.size() || byteCount > source.size() - offset)
      return std::nullopt;
    platform::Bytes bytes(byteCount);
    if (!source.readExact(offset, bytes.data(), bytes.size())) return std::nullopt;
    set.images.push_back(makeIconImage(std::move(bytes)));
  }
  return set;
}

std::optional<IconImageSet> readIconFile(const std::string& path) {
  // Shared with nobody while it is read, so that no writer changes it half-way.
  auto source = FileByteSource::open(path, platform::Sharing::Exclusive);
  if (!source) return std::nullopt;
  return readIconFile(*source);
}

}  // namespace icons
