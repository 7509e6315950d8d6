#pragma once
// The bytes of the database file and its auxiliary file, and the offsets of the locks that
// processes sharing them take. Changing any number here changes the file format: files that
// other programs wrote, and processes of older builds that share a file, depend on them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/little_endian.h"
#include "store/store_value.h"

namespace store::format {

// Database file: a 112-byte header, the field count, the descriptors, then the records.
inline constexpr std::array<std::uint8_t, 4> kDatabaseMagic = {'H', 'Q', 'D', 'B'};
inline constexpr std::array<std::uint8_t, 4> kProtectedMagic = {'H', 'C', 'D', 'B'};
inline constexpr std::int32_t kCurrentVersion = 65536;
inline constexpr std::size_t kHeaderSize = 112;
inline constexpr std::size_t kVersionOffset = 4;
inline constexpr std::size_t kRecordCountOffset = 16;
inline constexpr std::size_t kNextSerialOffset = 20;
inline constexpr std::size_t kRecordSizeOffset = 24;
inline constexpr std::size_t kFieldCountOffset = 112;
inline constexpr std::size_t kDescriptorsOffset = 116;
inline constexpr std::size_t kDescriptorSize = 72;
inline constexpr std::size_t kNameSize = 20;
inline constexpr std::size_t kNameLimit = 17;  // the terminator lies within these bytes
inline constexpr std::size_t kTypeOffset = 20;
inline constexpr std::size_t kFieldOffsetOffset = 24;
inline constexpr std::size_t kWidthOffset = 28;
inline constexpr std::size_t kSerialSize = 4;  // the first bytes of every record

// Auxiliary file: 512-byte blocks; block 0 begins with the header.
inline constexpr std::array<std::uint8_t, 4> kAuxiliaryMagic = {'H', 'Q', 'D', 'T'};
inline constexpr std::size_t kAuxiliaryHeaderSize = 32;
inline constexpr std::size_t kBlockCountOffset = 16;
inline constexpr std::size_t kFreeCountOffset = 20;
inline constexpr std::size_t kFreeHeadOffset = 24;
inline constexpr std::size_t kBlockSize = 512;
inline constexpr std::size_t kBlockHeaderSize = 12;  // previous, next, used
inline constexpr std::size_t kBlockDataSize = 500;

// Lock offsets. Every lock but the whole-file ones covers one byte. They are part of the
// format: a process that locked elsewhere would not keep others out of half-written data.
inline constexpr std::uint64_t kWholeFileLockLength = 2147483647;
inline constexpr std::uint64_t kCountLockOffset = 16;      // database: recordCount
inline constexpr std::uint64_t kAuxiliaryHeaderLock = 0;   // auxiliary: the header
// Record i: its first byte, dataStart + i * recordSize. Block b: b * 512.

enum class FieldType : std::uint32_t {
  Byte = 1,
  Short = 2,
  Int = 3,
  Long = 4,
  Float = 5,
  Double = 6,
  Bool = 7,
  DateTime = 8,
  RoutineRef = 9,
  Text = 10,
  ByteSet = 11,
  Remark = 12,
};

bool isFieldType(std::uint32_t code);
// The kind of StoreValue a field of this type is read as and written from.
StoreValue::Kind kindOf(FieldType type);
// The field's bytes in the record: width for Text, 4 for chains, the type's own width else.
std::int64_t storedWidth(FieldType type, std::int32_t width);
// Lower-case type names, as the qdb tool writes them: "byte" ... "remark".
const char* nameOf(FieldType type);
std::optional<FieldType> fieldTypeNamed(std::string_view name);
bool usesAuxiliaryFile(FieldType type);

using HeaderBytes = std::array<std::uint8_t, kHeaderSize>;
using DescriptorBytes = std::array<std::uint8_t, kDescriptorSize>;
using AuxiliaryHeaderBytes = std::array<std::uint8_t, kAuxiliaryHeaderSize>;
using BlockBytes = std::array<std::uint8_t, kBlockSize>;

struct StoreHeader {
  std::array<std::uint8_t, 4> magic{};
  std::int32_t version = 0;
  std::int32_t recordCount = 0;
  std::int32_t nextSerial = 0;
  std::int32_t recordSize = 0;
};
StoreHeader parseHeader(const HeaderBytes& bytes);

struct FieldDescriptor {
  std::string name;
  std::uint32_t typeCode = 0;
  std::int32_t offset = 0;
  std::int32_t width = 0;
  bool nameTerminated = false;  // a zero byte within the first 17 name bytes

  FieldType type() const { return static_cast<FieldType>(typeCode); }
};
FieldDescriptor parseDescriptor(const DescriptorBytes& bytes);
// The acceptance conditions of one descriptor, and that its bytes lie inside the record after
// the serial: a field reaching outside would be written outside the record.
bool isAcceptable(const FieldDescriptor& field, std::int32_t recordSize);

struct AuxiliaryHeader {
  std::array<std::uint8_t, 4> magic{};
  std::int32_t version = 0;
  std::int32_t blockCount = 0;
  std::int32_t freeCount = 0;
  std::int32_t freeHead = 0;
};
AuxiliaryHeader parseAuxiliaryHeader(const AuxiliaryHeaderBytes& bytes);
// Writes the three counters into header bytes read earlier, keeping every other byte.
void putAuxiliaryCounters(AuxiliaryHeaderBytes& bytes, const AuxiliaryHeader& header);

struct BlockHeader {
  std::int32_t previous = 0;
  std::int32_t next = 0;
  std::int32_t used = 0;
};
// From a whole block, or from the first 12 bytes of one (a block taken off the free list).
template <std::size_t N>
BlockHeader parseBlockHeader(const std::array<std::uint8_t, N>& bytes) {
  return {int32At<0>(bytes), int32At<4>(bytes), int32At<8>(bytes)};
}

}  // namespace store::format
