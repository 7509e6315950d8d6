#include "tests/icons/pe_builder.h"

#include <algorithm>
#include <map>

namespace icons_test {
namespace {

constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::size_t kSectionFileOffset = 0x200;

std::size_t alignUp(std::size_t value, std::size_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

struct NameNode {
  ResourceName name;
  std::vector<const Resource*> languages;
};

struct TypeNode {
  std::vector<NameNode> names;  // named first, then numbered, each group in given order
};

}  // namespace

void putU16(platform::Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void putU32(platform::Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

platform::Bytes groupDirectory(const std::vector<std::uint16_t>& imageNumbers) {
  platform::Bytes bytes(6 + 14 * imageNumbers.size(), 0);
  putU16(bytes, 2, 1);
  putU16(bytes, 4, static_cast<std::uint16_t>(imageNumbers.size()));
  for (std::size_t i = 0; i < imageNumbers.size(); ++i)
    putU16(bytes, 6 + 14 * i + 12, imageNumbers[i]);
  return bytes;
}

platform::Bytes bitmapImage(std::int32_t width, std::int32_t height, std::uint16_t bits) {
  const std::size_t colours = bits <= 8 ? std::size_t{1} << bits : 0;
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  const std::size_t maskStride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  const std::size_t bitsSize = (stride + maskStride) * static_cast<std::size_t>(height);
  platform::Bytes bytes(40 + 4 * colours + bitsSize, 0x5A);
  putU32(bytes, 0, 40);
  putU32(bytes, 4, static_cast<std::uint32_t>(width));
  putU32(bytes, 8, static_cast<std::uint32_t>(height * 2));
  putU16(bytes, 12, 1);
  putU16(bytes, 14, bits);
  putU32(bytes, 16, 0);
  putU32(bytes, 20, static_cast<std::uint32_t>(bitsSize));
  for (std::size_t at = 24; at < 40; ++at) bytes[at] = 0;
  return bytes;
}

BuiltPe buildPe(const std::vector<Resource>& resources, bool pe32Plus) {
  std::map<std::uint16_t, TypeNode> types;
  for (const Resource& resource : resources) {
    auto& names = types[resource.type].names;
    auto found = std::find_if(names.begin(), names.end(),
                              [&](const NameNode& node) { return node.name == resource.name; });
    if (found == names.end()) {
      names.push_back({resource.name, {}});
      found = names.end() - 1;
    }
    found->languages.push_back(&resource);
  }
  for (auto& [type, node] : types)
    std::stable_partition(node.names.begin(), node.names.end(), [](const NameNode& n) {
      return std::holds_alternative<std::u16string>(n.name);
    });

  // Layout: every directory, then the name strings, then the data entries, then the data.
  std::size_t cursor = 16 + 8 * types.size();
  std::map<std::uint16_t, std::size_t> typeOffsets;
  std::map<const NameNode*, std::size_t> languageOffsets;
  for (auto& [type, node] : types) {
    typeOffsets[type] = cursor;
    cursor += 16 + 8 * node.names.size();
  }
  for (auto& [type, node] : types)
    for (const NameNode& name : node.names) {
      languageOffsets[&name] = cursor;
      cursor += 16 + 8 * name.languages.size();
    }
  std::map<const NameNode*, std::size_t> stringOffsets;
  for (auto& [type, node] : types)
    for (const NameNode& name : node.names)
      if (const auto* text = std::get_if<std::u16string>(&name.name)) {
        stringOffsets[&name] = cursor;
        cursor += 2 + 2 * text->size();
      }
  cursor = alignUp(cursor, 4);
  std::map<const Resource*, std::size_t> dataEntryOffsets;
  for (const Resource& resource : resources) {
    dataEntryOffsets[&resource] = cursor;
    cursor += 16;
  }
  std::map<const Resource*, std::size_t> dataOffsets;
  for (const Resource& resource : resources) {
    dataOffsets[&resource] = cursor;
    cursor = alignUp(cursor + resource.data.size(), 8);
  }
  const std::size_t sectionSize = std::max<std::size_t>(cursor, 16);

  platform::Bytes section(sectionSize, 0);
  auto writeDirectory = [&](std::size_t at, std::size_t named, std::size_t numbered) {
    putU16(section, at + 12, static_cast<std::uint16_t>(named));
    putU16(section, at + 14, static_cast<std::uint16_t>(numbered));
  };
  writeDirectory(0, 0, types.size());
  std::size_t entry = 16;
  for (auto& [type, node] : types) {
    putU32(section, entry, type);
    putU32(section, entry + 4, 0x80000000u | static_cast<std::uint32_t>(typeOffsets[type]));
    entry += 8;
    const auto named = std::count_if(node.names.begin(), node.names.end(), [](const NameNode& n) {
      return std::holds_alternative<std::u16string>(n.name);
    });
    const std::size_t typeAt = typeOffsets[type];
    writeDirectory(typeAt, named, node.names.size() - named);
    for (std::size_t i = 0; i < node.names.size(); ++i) {
      const NameNode& name = node.names[i];
      const std::size_t at = typeAt + 16 + 8 * i;
      if (const auto* number = std::get_if<std::uint16_t>(&name.name)) {
        putU32(section, at, *number);
      } else {
        const auto& text = std::get<std::u16string>(name.name);
        const std::size_t stringAt = stringOffsets[&name];
        putU16(section, stringAt, static_cast<std::uint16_t>(text.size()));
        for (std::size_t c = 0; c < text.size(); ++c)
          putU16(section, stringAt + 2 + 2 * c, static_cast<std::uint16_t>(text[c]));
        putU32(section, at, 0x80000000u | static_cast<std::uint32_t>(stringAt));
      }
      const std::size_t languagesAt = languageOffsets[&name];
      putU32(section, at + 4, 0x80000000u | static_cast<std::uint32_t>(languagesAt));
      writeDirectory(languagesAt, 0, name.languages.size());
      for (std::size_t l = 0; l < name.languages.size(); ++l) {
        const Resource* resource = name.languages[l];
        putU32(section, languagesAt + 16 + 8 * l, resource->language);
        putU32(section, languagesAt + 16 + 8 * l + 4,
               static_cast<std::uint32_t>(dataEntryOffsets[resource]));
      }
    }
  }
  for (const Resource& resource : resources) {
    const std::size_t at = dataEntryOffsets[&resource];
    putU32(section, at, kSectionRva + static_cast<std::uint32_t>(dataOffsets[&resource]));
    putU32(section, at + 4, static_cast<std::uint32_t>(resource.data.size()));
    std::copy(resource.data.begin(), resource.data.end(),
              section.begin() + static_cast<std::ptrdiff_t>(dataOffsets[&resource]));
  }

  BuiltPe pe;
  pe.peOffset = 64;
  const std::size_t optionalSize = pe32Plus ? 240 : 224;
  pe.optionalHeaderOffset = pe.peOffset + 24;
  pe.sectionTableOffset = pe.optionalHeaderOffset + optionalSize;
  pe.sectionOffset = kSectionFileOffset;
  pe.sectionRva = kSectionRva;
  pe.bytes.assign(kSectionFileOffset, 0);
  pe.bytes[0] = 'M';
  pe.bytes[1] = 'Z';
  putU32(pe.bytes, 0x3C, static_cast<std::uint32_t>(pe.peOffset));
  pe.bytes[pe.peOffset] = 'P';
  pe.bytes[pe.peOffset + 1] = 'E';
  putU16(pe.bytes, pe.peOffset + 4, pe32Plus ? 0x8664 : 0x14C);
  putU16(pe.bytes, pe.peOffset + 6, 1);
  putU16(pe.bytes, pe.peOffset + 20, static_cast<std::uint16_t>(optionalSize));
  putU16(pe.bytes, pe.peOffset + 22, 0x2022);
  putU16(pe.bytes, pe.optionalHeaderOffset, pe32Plus ? 0x20B : 0x10B);
  const std::size_t directories = pe.optionalHeaderOffset + (pe32Plus ? 108 : 92);
  putU32(pe.bytes, directories, 16);
  pe.resourceDirectoryField = directories + 4 + 2 * 8;
  putU32(pe.bytes, pe.resourceDirectoryField, kSectionRva);
  putU32(pe.bytes, pe.resourceDirectoryField + 4, static_cast<std::uint32_t>(sectionSize));
  const std::size_t table = pe.sectionTableOffset;
  const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  std::copy(name, name + 8, pe.bytes.begin() + static_cast<std::ptrdiff_t>(table));
  putU32(pe.bytes, table + 8, static_cast<std::uint32_t>(sectionSize));
  putU32(pe.bytes, table + 12, kSectionRva);
  putU32(pe.bytes, table + 16, static_cast<std::uint32_t>(sectionSize));
  putU32(pe.bytes, table + 20, static_cast<std::uint32_t>(kSectionFileOffset));
  pe.bytes.insert(pe.bytes.end(), section.begin(), section.end());
  return pe;
}

}  // namespace icons_test
