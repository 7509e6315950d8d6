#include "icons/icon_groups.h"

#include <cstdio>

#include "icons/pe_resources.h"

namespace icons {
namespace {

// A program file is read while others may read it too, as the platform loader maps it.
std::unique_ptr<FileByteSource> openModule(const std::string& path) {
  return FileByteSource::open(path, platform::Sharing::DenyWrite);
}

}  // namespace

std::vector<GroupKey> listIconGroups(const std::string& path) {
  auto source = openModule(path);
  if (!source) return {};
  auto resources = PeResources::open(*source);
  if (!resources) return {};
  return resources->keysOfType(kIconGroupResourceType).value_or(std::vector<GroupKey>{});
}

GroupEnumeration enumerateIconGroups(const std::string& path, int groupNumber) {
  std::vector<GroupKey> keys = listIconGroups(path);
  GroupEnumeration result;
  result.count = static_cast<int>(keys.size());
  if (groupNumber >= 1 && static_cast<std::size_t>(groupNumber) <= keys.size())
    result.key = std::move(keys[groupNumber - 1]);
  return result;
}

std::optional<IconImageSet> loadIconGroup(const std::string& path,
                                          const std::optional<GroupKey>& groupKey) {
  if (!groupKey) return std::nullopt;
  auto source = openModule(path);
  if (!source) return std::nullopt;
  auto resources = PeResources::open(*source);
  if (!resources) return std::nullopt;
  return resources->loadIconGroup(*groupKey);
}

std::string describeGroupKey(const GroupKey& key) {
  if (const auto* number = std::get_if<std::uint16_t>(&key)) return std::to_string(*number);
  std::string text = "\"";
  for (char16_t unit : std::get<std::u16string>(key)) {
    if (unit >= 0x20 && unit < 0x7F && unit != u'"' && unit != u'\\') {
      text += static_cast<char>(unit);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
      text += escaped;
    }
  }
  return text + "\"";
}

}  // namespace icons
