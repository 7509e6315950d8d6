#include "icons/pe_resources.h"

#include <algorithm>
#include <array>

#include "icons/byte_view.h"
#include "icons/icon_set_limit.h"

namespace icons {
namespace {

// DOS header: "MZ", and at 0x3C the file offset of the PE signature.
constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kPeOffsetField = 0x3C;
// PE signature "PE\0\0" followed by the 20-byte file header.
constexpr std::size_t kSignatureAndFileHeaderSize = 24;
constexpr std::size_t kSectionCountField = 4 + 2;
constexpr std::size_t kOptionalHeaderSizeField = 4 + 16;
// Optional header: the magic tells PE32 from PE32+, which moves the data directories.
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kPe32DirectoryCountField = 92;
constexpr std::size_t kPe32PlusDirectoryCountField = 108;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::size_t kDataDirectorySize = 8;
// Section header: virtual size, virtual address, size and offset of the bytes in the file.
constexpr std::size_t kSectionHeaderSize = 40;
// Resource directory: 16-byte header with the counts of named and numbered entries, then the
// 8-byte entries; a data entry holds the data's RVA and size.
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kNamedCountField = 12;
constexpr std::size_t kNumberedCountField = 14;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::uint32_t kHighBit = 0x80000000u;
// Group directory: image count at 4, then 14-byte entries whose last two bytes hold the
// resource number of the image.
constexpr std::size_t kGroupCountField = 4;
constexpr std::size_t kGroupEntriesStart = 6;
constexpr std::size_t kGroupEntrySize = 14;
constexpr std::size_t kGroupEntryImageNumber = 12;

bool isName(std::uint32_t nameField) { return (nameField & kHighBit) != 0; }
bool isSubdirectory(std::uint32_t targetField) { return (targetField & kHighBit) != 0; }
std::uint32_t withoutHighBit(std::uint32_t field) { return field & ~kHighBit; }

}  // namespace

std::optional<PeResources> PeResources::open(ByteSource& source) {
  std::array<std::uint8_t, kDosHeaderSize> dos;
  if (!source.readExact(0, dos.data(), dos.size()) || dos[0] != 'M' || dos[1] != 'Z')
    return std::nullopt;
  const std::uint64_t peOffset = *ByteView(dos).u32(kPeOffsetField);

  std::array<std::uint8_t, kSignatureAndFileHeaderSize> fileHeader;
  if (!source.readExact(peOffset, fileHeader.data(), fileHeader.size())) return std::nullopt;
  ByteView file(fileHeader);
  if (fileHeader[0] != 'P' || fileHeader[1] != 'E' || fileHeader[2] != 0 || fileHeader[3] != 0)
    return std::nullopt;
  const std::uint16_t sectionCount = *file.u16(kSectionCountField);
  const std::uint16_t optionalHeaderSize = *file.u16(kOptionalHeaderSizeField);

  const std::uint64_t optionalHeaderOffset = peOffset + kSignatureAndFileHeaderSize;
  platform::Bytes optionalHeader(optionalHeaderSize);
  if (!source.readExact(optionalHeaderOffset, optionalHeader.data(), optionalHeader.size()))
    return std::nullopt;
  ByteView optional(optionalHeader);
  std::size_t directoryCountField = 0;
  switch (optional.u16(0).value_or(0)) {
    case kPe32Magic:
      directoryCountField = kPe32DirectoryCountField;
      break;
    case kPe32PlusMagic:
      directoryCountField = kPe32PlusDirectoryCountField;
      break;
    default:
      return std::nullopt;
  }
  auto directoryCount = optional.u32(directoryCountField);
  if (!directoryCount || *directoryCount <= kResourceDirectoryIndex) return std::nullopt;
  const std::size_t resourceField =
      directoryCountField + 4 + kResourceDirectoryIndex * kDataDirectorySize;
  auto rootRva = optional.u32(resourceField);
  if (!rootRva || *rootRva == 0) return std::nullopt;

  // The section table follows the optional header; its size is checked against the file
  // before anything is allocated for it.
  const std::uint64_t tableOffset = optionalHeaderOffset + optionalHeaderSize;
  const std::uint64_t tableSize = std::uint64_t{sectionCount} * kSectionHeaderSize;
  if (tableOffset > source.size() || tableSize > source.size() - tableOffset) return std::nullopt;
  platform::Bytes table(tableSize);
  if (!source.readExact(tableOffset, table.data(), table.size())) return std::nullopt;
  ByteView view(table);
  std::vector<Section> sections;
  sections.reserve(sectionCount);
  for (std::size_t i = 0; i < sectionCount; ++i) {
    const std::size_t at = i * kSectionHeaderSize;
    const std::uint32_t virtualSize = *view.u32(at + 8);
    const std::uint32_t rawSize = *view.u32(at + 16);
    Section section;
    section.virtualAddress = *view.u32(at + 12);
    section.fileOffset = *view.u32(at + 20);
    // The loader maps the file's bytes of a section up to its virtual size (a virtual size of
    // 0 means the raw size); what lies beyond the file's bytes would be zeros, and no resource
    // is read from there.
    section.extent = virtualSize == 0 ? rawSize : std::min(virtualSize, rawSize);
    sections.push_back(section);
  }
  return PeResources(source, std::move(sections), *rootRva);
}

std::optional<platform::Bytes> PeResources::readAtRva(std::uint64_t rva, std::uint64_t count) {
  for (const Section& section : sections_) {
    if (rva < section.virtualAddress) continue;
    const std::uint64_t into = rva - section.virtualAddress;
    if (into >= section.extent) continue;
    if (count > section.extent - into) return std::nullopt;
    const std::uint64_t offset = section.fileOffset + into;
    if (offset > source_->size() || count > source_->size() - offset) return std::nullopt;
    platform::Bytes bytes(count);
    if (!source_->readExact(offset, bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
  }
  return std::nullopt;
}

std::optional<PeResources::Directory> PeResources::readDirectory(std::uint32_t offsetFromRoot) {
  const std::uint64_t rva = std::uint64_t{rootRva_} + offsetFromRoot;
  auto header = readAtRva(rva, kDirectoryHeaderSize);
  if (!header) return std::nullopt;
  ByteView headerView(*header);
  const std::size_t entryCount =
      std::size_t{*headerView.u16(kNamedCountField)} + *headerView.u16(kNumberedCountField);
  auto entries = readAtRva(rva + kDirectoryHeaderSize, entryCount * kDirectoryEntrySize);
  if (!entries) return std::nullopt;
  ByteView view(*entries);
  Directory directory(entryCount);
  for (std::size_t i = 0; i < entryCount; ++i) {
    directory[i].name = *view.u32(i * kDirectoryEntrySize);
    directory[i].target = *view.u32(i * kDirectoryEntrySize + 4);
  }
  return directory;
}

std::optional<PeResources::Directory> PeResources::typeDirectory(std::uint16_t type) {
  auto root = readDirectory(0);
  if (!root) return std::nullopt;
  for (const DirectoryEntry& entry : *root) {
    if (isName(entry.name) || entry.name != type) continue;
    if (!isSubdirectory(entry.target)) return std::nullopt;
    return readDirectory(withoutHighBit(entry.target));
  }
  return std::nullopt;
}

std::optional<std::u16string> PeResources::readName(std::uint32_t offsetFromRoot) {
  const std::uint64_t rva = std::uint64_t{rootRva_} + offsetFromRoot;
  auto length = readAtRva(rva, 2);
  if (!length) return std::nullopt;
  const std::size_t units = *ByteView(*length).u16(0);
  auto text = readAtRva(rva + 2, units * 2);
  if (!text) return std::nullopt;
  ByteView view(*text);
  std::u16string name(units, u'\0');
  for (std::size_t i = 0; i < units; ++i) name[i] = static_cast<char16_t>(*view.u16(i * 2));
  return name;
}

std::optional<std::vector<GroupKey>> PeResources::keysOfType(std::uint16_t type) {
  auto directory = typeDirectory(type);
  if (!directory) return std::nullopt;
  std::vector<GroupKey> names;
  std::vector<std::uint16_t> numbers;
  for (const DirectoryEntry& entry : *directory) {
    if (!isName(entry.name)) {
      numbers.push_back(static_cast<std::uint16_t>(entry.name));
      continue;
    }
    // A name that lies outside the resource data names no group that could be found again.
    auto name = readName(withoutHighBit(entry.name));
    if (!name) continue;
    if (std::find(names.begin(), names.end(), GroupKey(*name)) == names.end())
      names.emplace_back(std::move(*name));
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  std::vector<GroupKey> keys = std::move(names);
  keys.insert(keys.end(), numbers.begin(), numbers.end());
  if (keys.empty()) return std::nullopt;
  return keys;
}

bool PeResources::entryHasKey(const DirectoryEntry& entry, const GroupKey& key) {
  if (const auto* number = std::get_if<std::uint16_t>(&key))
    return !isName(entry.name) && entry.name == *number;
  if (!isName(entry.name)) return false;
  auto name = readName(withoutHighBit(entry.name));
  return name && *name == std::get<std::u16string>(key);
}

// Exactly three levels: type, name, language. Below the language there must be a data entry;
// a directory there (a tree nested deeper, or one that points back at itself) fails the
// resource instead of being followed.
std::optional<PeResources::ResourceData> PeResources::readResource(
    const Directory& typeDirectory, const GroupKey& key,
    std::optional<std::uint16_t> preferredLanguage) {
  auto named = std::find_if(typeDirectory.begin(), typeDirectory.end(),
                            [&](const DirectoryEntry& entry) { return entryHasKey(entry, key); });
  if (named == typeDirectory.end() || !isSubdirectory(named->target)) return std::nullopt;
  auto languages = readDirectory(withoutHighBit(named->target));
  if (!languages || languages->empty()) return std::nullopt;
  // The first language of the directory (the lowest language number, language-neutral first),
  // unless a preferred one is there: the images of a group are taken in the group's language.
  auto chosen = languages->begin();
  if (preferredLanguage) {
    auto preferred =
        std::find_if(languages->begin(), languages->end(), [&](const DirectoryEntry& entry) {
          return !isName(entry.name) && entry.name == *preferredLanguage;
        });
    if (preferred != languages->end()) chosen = preferred;
  }
  if (isSubdirectory(chosen->target)) return std::nullopt;
  auto dataEntry = readAtRva(std::uint64_t{rootRva_} + chosen->target, kDataEntrySize);
  if (!dataEntry) return std::nullopt;
  ByteView view(*dataEntry);
  auto bytes = readAtRva(*view.u32(0), *view.u32(4));
  if (!bytes) return std::nullopt;
  return ResourceData{std::move(*bytes), static_cast<std::uint16_t>(chosen->name)};
}

std::optional<IconImageSet> PeResources::loadIconGroup(const GroupKey& key) {
  auto groups = typeDirectory(kIconGroupResourceType);
  if (!groups) return std::nullopt;
  auto group = readResource(*groups, key, std::nullopt);
  if (!group) return std::nullopt;
  ByteView directory(group->bytes);
  auto count = directory.u16(kGroupCountField);
  // A count that needs more entries than the group resource holds fails the group rather than
  // reading beyond it.
  if (!count || !directory.holds(kGroupEntriesStart, std::size_t{*count} * kGroupEntrySize))
    return std::nullopt;
  IconImageSet set;
  if (*count == 0) return set;
  auto images = typeDirectory(kIconResourceType);
  if (!images) return std::nullopt;
  set.images.reserve(*count);
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < *count; ++i) {
    const std::uint16_t number =
        *directory.u16(kGroupEntriesStart + i * kGroupEntrySize + kGroupEntryImageNumber);
    auto image = readResource(*images, GroupKey(number), group->language);
    if (!image) return std::nullopt;
    total += image->bytes.size();
    if (total > kMaxIconSetBytes) return std::nullopt;
    set.images.push_back(makeIconImage(std::move(image->bytes)));
  }
  return set;
}

}  // namespace icons
