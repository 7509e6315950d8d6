#pragma once
// The icon groups (resources of type 14, RT_GROUP_ICON) of a program or library file, read
// from the file's resource directory by this program's own parser, on every platform.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "icons/icon_image.h"

namespace icons {

// How a group is named inside a file: a 16-bit resource number, or a name, kept as the UTF-16
// code units that the file stores (a copy, valid after the file is closed).
using GroupKey = std::variant<std::uint16_t, std::u16string>;

struct GroupEnumeration {
  int count = 0;                // number of icon groups; 0 when the file cannot be read
  std::optional<GroupKey> key;  // the key of the wanted group; absent past the last group
};

// The number of icon groups of the module at `path` and the key of the group at the 1-based
// position `groupNumber`. Groups are ordered as the resource directory holds them: every named
// group first, in the directory's order, then the numbered groups in ascending order; a group
// counts once whatever the number of its languages.
GroupEnumeration enumerateIconGroups(const std::string& path, int groupNumber);

// Every group key of the module at `path`, in the order above; empty when there is none or the
// file cannot be read.
std::vector<GroupKey> listIconGroups(const std::string& path);

// The images of the group `groupKey` (each the whole RT_ICON resource), in group-directory
// order; nothing when the key is absent, the group or any image it lists cannot be read.
std::optional<IconImageSet> loadIconGroup(const std::string& path,
                                          const std::optional<GroupKey>& groupKey);

// A key as a person reads it: a number in decimal, a name in double quotes (characters outside
// printable ASCII as \uXXXX).
std::string describeGroupKey(const GroupKey& key);

}  // namespace icons
