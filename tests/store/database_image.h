#pragma once
// Database and auxiliary files laid out byte by byte, independently of the store's writer, so
// that the tests check the file format itself.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bytes.h"

namespace store_test {

using platform::Bytes;

void putInt32(Bytes& bytes, std::size_t offset, std::int32_t value);
std::int32_t int32At(const Bytes& bytes, std::size_t offset);

// Field type codes as the file holds them.
enum Type : std::uint32_t {
  kByte = 1, kShort, kInt, kLong, kFloat, kDouble, kBool, kDateTime, kRoutineRef, kText,
  kByteSet, kRemark,
};

struct Field {
  std::string name;  // written into the 20 name bytes; 17 or more bytes leave no terminator
  std::uint32_t type = kText;
  std::int32_t offset = 0;
  std::int32_t width = 0;
};

struct DatabaseImage {
  std::string magic = "HQDB";
  std::int32_t version = 65536;
  std::int32_t recordCount = 0;
  std::int32_t nextSerial = 1;
  std::int32_t recordSize = 0;
  std::vector<Field> fields;
  std::vector<Bytes> records;  // each padded or cut to recordSize

  std::size_t dataStart() const { return 116 + 72 * fields.size(); }
  // A record with the serial and the texts in the Text fields, in field order.
  Bytes textRecord(std::int32_t serial, const std::vector<std::string>& texts) const;
  // Appends a record and counts it in the header.
  DatabaseImage& add(Bytes record);
  Bytes bytes() const;
};

// The panel's store: xuhao (Text 16), wenjian (Text 260), tubiao (Text 260).
DatabaseImage launchEntryImage();
// The same with tubiao as a Remark field, whose values live in the auxiliary file.
DatabaseImage launchEntryRemarkImage();

struct AuxiliaryImage {
  std::int32_t version = 65536;
  std::int32_t blockCount = 1;
  std::int32_t freeCount = 0;
  std::int32_t freeHead = 0;
  std::vector<Bytes> blocks;  // blocks 1 and up, 512 bytes each

  // Adds a block and counts it; returns its number.
  std::int32_t add(Bytes block);
  Bytes bytes() const;
};

// One 512-byte block: previous, next, used (the data's length unless given), the data.
Bytes block(std::int32_t previous, std::int32_t next, std::string_view data,
            std::optional<std::int32_t> used = std::nullopt);

}  // namespace store_test
