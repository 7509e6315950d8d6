#include "store/create_database.h"

#include <cstring>
#include <limits>

#include "platform/code_page.h"
#include "store/file_io.h"
#include "store/file_names.h"
#include "store/result_codes.h"

namespace store {

namespace {

using namespace format;

std::int64_t recordSizeOf(const std::vector<FieldDefinition>& fields) {
  std::int64_t size = kSerialSize;
  for (const FieldDefinition& field : fields) size += storedWidth(field.type, field.width);
  return size;
}

std::vector<std::uint8_t> databaseBytes(const std::vector<FieldDefinition>& fields) {
  std::vector<std::uint8_t> bytes(kDescriptorsOffset + kDescriptorSize * fields.size(), 0);
  HeaderBytes header{};
  std::memcpy(header.data(), kDatabaseMagic.data(), kDatabaseMagic.size());
  putInt32<kVersionOffset>(header, kCurrentVersion);
  putInt32<kRecordCountOffset>(header, 0);
  putInt32<kNextSerialOffset>(header, 1);
  putInt32<kRecordSizeOffset>(header, static_cast<std::int32_t>(recordSizeOf(fields)));
  std::memcpy(bytes.data(), header.data(), header.size());
  storeLittleEndian(bytes.data() + kFieldCountOffset, 4, fields.size());

  std::int64_t offset = kSerialSize;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldDefinition& field = fields[i];
    std::int64_t width = storedWidth(field.type, field.width);
    DescriptorBytes descriptor{};
    std::memcpy(descriptor.data(), field.name.data(), field.name.size());
    putInt32<kTypeOffset>(descriptor, static_cast<std::int32_t>(field.type));
    putInt32<kFieldOffsetOffset>(descriptor, static_cast<std::int32_t>(offset));
    putInt32<kWidthOffset>(descriptor, static_cast<std::int32_t>(width));
    std::memcpy(bytes.data() + kDescriptorsOffset + kDescriptorSize * i, descriptor.data(),
                descriptor.size());
    offset += width;
  }
  return bytes;
}

std::vector<std::uint8_t> auxiliaryBytes() {
  std::vector<std::uint8_t> bytes(kBlockSize, 0);
  AuxiliaryHeaderBytes header{};
  std::memcpy(header.data(), kAuxiliaryMagic.data(), kAuxiliaryMagic.size());
  putInt32<kVersionOffset>(header, kCurrentVersion);
  putAuxiliaryCounters(header, {{}, kCurrentVersion, 1, 0, 0});
  std::memcpy(bytes.data(), header.data(), header.size());
  return bytes;
}

int writeNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  platform::OpenResult opened = platform::env().open(
      path, platform::Access::ReadWrite, platform::Sharing::Exclusive, platform::Disposition::CreateNew);
  if (!opened.file) return platform::storeCodeOf(opened.error);
  int result = writeAll(*opened.file, 0, bytes.data(), bytes.size()).code(code::unknown);
  opened.file.reset();
  if (result != code::ok) platform::env().removeFile(path);
  return result;
}

}  // namespace

std::string definitionProblem(const std::vector<FieldDefinition>& fields) {
  if (fields.empty()) return "a database needs at least one field";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldDefinition& field = fields[i];
    if (field.name.empty() || field.name.size() > kNameLimit - 1 ||
        field.name.find('\0') != std::string::npos)
      return "field name \"" + field.name + "\" must have 1 to 16 bytes";
    for (std::size_t j = 0; j < i; ++j)
      if (platform::equalsIgnoringCase(fields[j].name, field.name))
        return "field name \"" + field.name + "\" is used twice";
    if (field.type == FieldType::Text && field.width <= 0)
      return "text field \"" + field.name + "\" needs a width above 0";
  }
  if (recordSizeOf(fields) > std::numeric_limits<std::int32_t>::max())
    return "the fields do not fit one record";
  return {};
}

int createDatabase(std::string_view fileName, const std::vector<FieldDefinition>& fields) {
  if (!definitionProblem(fields).empty()) return code::notDatabase;
  std::string path = platform::env().fullPath(withDefaultExtension(fileName));
  if (path.empty()) return code::pathNotFound;
  bool needsAuxiliary = false;
  for (const FieldDefinition& field : fields) needsAuxiliary |= usesAuxiliaryFile(field.type);

  std::string auxiliary = auxiliaryNameOf(path);
  if (needsAuxiliary) {
    if (int result = writeNewFile(auxiliary, auxiliaryBytes())) return result;
  }
  int result = writeNewFile(path, databaseBytes(fields));
  if (result != code::ok && needsAuxiliary) platform::env().removeFile(auxiliary);
  return result;
}

}  // namespace store
