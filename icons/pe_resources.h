#pragma once
// The resources of a PE32 or PE32+ file (a Windows program or library), read with bounds checks
// from its headers and resource directory, without the platform's loader. Only the headers, the
// directory entries on the way and the resource data asked for are read.

#include <cstdint>
#include <optional>
#include <vector>

#include "icons/byte_source.h"
#include "icons/icon_groups.h"

namespace icons {

inline constexpr std::uint16_t kIconResourceType = 3;        // RT_ICON: one image
inline constexpr std::uint16_t kIconGroupResourceType = 14;  // RT_GROUP_ICON: a group directory

class PeResources {
 public:
  // Reads the headers and the section table; nothing when the bytes are not a PE32 or PE32+
  // file or it has no resource directory. The source must outlive the result.
  static std::optional<PeResources> open(ByteSource& source);

  // The keys of the resources of one type, in the order the platform's enumeration reports
  // them: named first, in the directory's order, then numbers ascending; each key once.
  // Nothing when the file has no resource of that type or its directory cannot be read.
  std::optional<std::vector<GroupKey>> keysOfType(std::uint16_t type);

  // The images of one icon group, all or nothing.
  std::optional<IconImageSet> loadIconGroup(const GroupKey& key);

 private:
  struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t extent = 0;  // bytes of the section that the file holds and the image maps
    std::uint32_t fileOffset = 0;
  };
  struct DirectoryEntry {
    std::uint32_t name = 0;    // a number, or (high bit set) the offset of a name
    std::uint32_t target = 0;  // a data entry, or (high bit set) the offset of a directory
  };
  using Directory = std::vector<DirectoryEntry>;
  struct ResourceData {
    platform::Bytes bytes;
    std::uint16_t language = 0;
  };

  PeResources(ByteSource& source, std::vector<Section> sections, std::uint32_t rootRva)
      : source_(&source), sections_(std::move(sections)), rootRva_(rootRva) {}

  std::optional<platform::Bytes> readAtRva(std::uint64_t rva, std::uint64_t count);
  std::optional<Directory> readDirectory(std::uint32_t offsetFromRoot);
  std::optional<Directory> typeDirectory(std::uint16_t type);
  std::optional<std::u16string> readName(std::uint32_t offsetFromRoot);
  bool entryHasKey(const DirectoryEntry& entry, const GroupKey& key);
  std::optional<ResourceData> readResource(const Directory& typeDirectory, const GroupKey& key,
                                           std::optional<std::uint16_t> preferredLanguage);

  ByteSource* source_;
  std::vector<Section> sections_;
  std::uint32_t rootRva_;
};

}  // namespace icons
