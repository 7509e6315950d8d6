#include "store/format.h"

#include <cstring>

#include "platform/code_page.h"

namespace store::format {

namespace {

struct TypeEntry {
  FieldType type;
  const char* name;
  StoreValue::Kind kind;
  std::int64_t width;  // 0 for Text, whose width is its descriptor's
};

constexpr TypeEntry kTypes[] = {
    {FieldType::Byte, "byte", StoreValue::Kind::Byte, 1},
    {FieldType::Short, "short", StoreValue::Kind::Short, 2},
    {FieldType::Int, "int", StoreValue::Kind::Int, 4},
    {FieldType::Long, "long", StoreValue::Kind::Long, 8},
    {FieldType::Float, "float", StoreValue::Kind::Float, 4},
    {FieldType::Double, "double", StoreValue::Kind::Double, 8},
    {FieldType::Bool, "bool", StoreValue::Kind::Bool, 1},
    {FieldType::DateTime, "datetime", StoreValue::Kind::DateTime, 8},
    {FieldType::RoutineRef, "routineref", StoreValue::Kind::RoutineRef, 4},
    {FieldType::Text, "text", StoreValue::Kind::Text, 0},
    {FieldType::ByteSet, "byteset", StoreValue::Kind::ByteSet, 4},
    {FieldType::Remark, "remark", StoreValue::Kind::Text, 4},
};

// Only called for types that passed isFieldType.
const TypeEntry& entryOf(FieldType type) { return kTypes[static_cast<std::uint32_t>(type) - 1]; }

template <std::size_t N>
std::array<std::uint8_t, 4> magicOf(const std::array<std::uint8_t, N>& bytes) {
  static_assert(N >= 4);
  return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

}  // namespace

bool isFieldType(std::uint32_t code) { return code >= 1 && code <= 12; }
StoreValue::Kind kindOf(FieldType type) { return entryOf(type).kind; }
const char* nameOf(FieldType type) { return entryOf(type).name; }
bool usesAuxiliaryFile(FieldType type) {
  return type == FieldType::ByteSet || type == FieldType::Remark;
}

std::int64_t storedWidth(FieldType type, std::int32_t width) {
  return type == FieldType::Text ? width : entryOf(type).width;
}

std::optional<FieldType> fieldTypeNamed(std::string_view name) {
  for (const TypeEntry& entry : kTypes)
    if (platform::equalsIgnoringCase(name, entry.name)) return entry.type;
  return std::nullopt;
}

StoreHeader parseHeader(const HeaderBytes& bytes) {
  return {magicOf(bytes), int32At<kVersionOffset>(bytes), int32At<kRecordCountOffset>(bytes),
          int32At<kNextSerialOffset>(bytes), int32At<kRecordSizeOffset>(bytes)};
}

FieldDescriptor parseDescriptor(const DescriptorBytes& bytes) {
  FieldDescriptor field;
  const char* name = reinterpret_cast<const char*>(bytes.data());
  const void* terminator = std::memchr(name, 0, kNameLimit);
  field.nameTerminated = terminator != nullptr;
  if (field.nameTerminated) field.name.assign(name, static_cast<const char*>(terminator) - name);
  field.typeCode = uint32At<kTypeOffset>(bytes);
  field.offset = int32At<kFieldOffsetOffset>(bytes);
  field.width = int32At<kWidthOffset>(bytes);
  return field;
}

bool isAcceptable(const FieldDescriptor& field, std::int32_t recordSize) {
  if (!field.nameTerminated || field.offset < 0 || !isFieldType(field.typeCode)) return false;
  if (field.type() == FieldType::Text && field.width <= 0) return false;
  std::int64_t end = std::int64_t{field.offset} + storedWidth(field.type(), field.width);
  return field.offset >= static_cast<std::int32_t>(kSerialSize) && end <= recordSize;
}

AuxiliaryHeader parseAuxiliaryHeader(const AuxiliaryHeaderBytes& bytes) {
  return {magicOf(bytes), int32At<kVersionOffset>(bytes), int32At<kBlockCountOffset>(bytes),
          int32At<kFreeCountOffset>(bytes), int32At<kFreeHeadOffset>(bytes)};
}

void putAuxiliaryCounters(AuxiliaryHeaderBytes& bytes, const AuxiliaryHeader& header) {
  putInt32<kBlockCountOffset>(bytes, header.blockCount);
  putInt32<kFreeCountOffset>(bytes, header.freeCount);
  putInt32<kFreeHeadOffset>(bytes, header.freeHead);
}

}  // namespace store::format
