// Reading one field of the current record.

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/code_page.h"
#include "store/auxiliary_chain.h"
#include "store/fatal_error.h"
#include "store/file_io.h"
#include "store/last_error.h"
#include "store/little_endian.h"
#include "store/store.h"

namespace store {

namespace {

using namespace format;

constexpr double kEarliestDate = -657434;  // 1 January 100
constexpr double kLatestDate = 2958465;    // 31 December 9999

const FieldDescriptor* fieldNamed(const OpenedDatabase& db, const std::string& name) {
  for (const FieldDescriptor& field : db.descriptors)
    if (platform::equalsIgnoringCase(field.name, name)) return &field;
  return nullptr;
}

const FieldDescriptor* fieldNumbered(const OpenedDatabase& db, std::int64_t number) {
  if (number < 1 || static_cast<std::uint64_t>(number) > db.descriptors.size()) return nullptr;
  return &db.descriptors[static_cast<std::size_t>(number - 1)];
}

std::string upToZero(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

StoreValue decode(FieldType type, const std::string& stored) {
  auto raw = reinterpret_cast<const std::uint8_t*>(stored.data());
  auto bits = [&] { return loadLittleEndian(raw, stored.size()); };
  switch (type) {
    case FieldType::Byte:
      return StoreValue::ofByte(static_cast<std::uint8_t>(bits()));
    case FieldType::Short:
      return StoreValue::ofShort(static_cast<std::int16_t>(bits()));
    case FieldType::Int:
      return StoreValue::ofInt(static_cast<std::int32_t>(bits()));
    case FieldType::Long:
      return StoreValue::ofLong(static_cast<std::int64_t>(bits()));
    case FieldType::Float: {
      float value;
      std::memcpy(&value, raw, sizeof value);
      return StoreValue::ofFloat(value);
    }
    case FieldType::Double: {
      double value;
      std::memcpy(&value, raw, sizeof value);
      return StoreValue::ofDouble(value);
    }
    case FieldType::Bool:
      return StoreValue::ofBool(raw[0] != 0);
    case FieldType::DateTime: {
      double days;
      std::memcpy(&days, raw, sizeof days);
      return StoreValue::ofDateTime(std::clamp(days, kEarliestDate, kLatestDate));
    }
    case FieldType::RoutineRef:
      return StoreValue::ofRoutineRef(static_cast<std::uint32_t>(bits()));
    case FieldType::Text:
    case FieldType::Remark:
      return StoreValue::ofText(upToZero(stored));
    case FieldType::ByteSet:
      return StoreValue::ofByteSet(platform::Bytes(stored.begin(), stored.end()));
  }
  return {};
}

// The field's stored bytes, or for a chain field the bytes of its chain.
int readStored(OpenedDatabase& db, const FieldDescriptor& field, std::string& stored) {
  if (db.currentRecord < 0) return code::noCurrentRecord;
  std::uint64_t record = db.recordOffset(db.currentRecord);
  ScopedLock recordLock;
  if (int result = recordLock.take(*db.locks, record)) return result;
  std::uint64_t position = record + static_cast<std::uint64_t>(field.offset);
  platform::LengthResult length = db.file->length();
  if (length.error != platform::ErrorKind::None) return platform::storeCodeOf(length.error);
  if (position >= length.length) return code::seekFailed;
  // Compared with the length before anything is allocated: a field is never larger than the
  // file that should hold it.
  auto width = static_cast<std::uint64_t>(storedWidth(field.type(), field.width));
  if (length.length - position < width) return code::fieldUnreadable;
  try {
    stored.resize(static_cast<std::size_t>(width));
  } catch (const std::bad_alloc&) {
    return code::outOfMemory;
  }
  if (int result = readAll(*db.file, position, stored.data(), stored.size()).code(code::fieldUnreadable))
    return result;
  if (!usesAuxiliaryFile(field.type())) return code::ok;
  if (!db.auxiliary) return code::fieldUnreadable;
  auto first = static_cast<std::int32_t>(
      loadLittleEndian(reinterpret_cast<const std::uint8_t*>(stored.data()), 4));
  return readChain(db, first, stored);
}

StoreValue fatal(int errorNumber, const char* message, int resultCode) {
  reportFatalError(errorNumber, message);
  setLastStoreError(resultCode);
  return {};
}

}  // namespace

StoreValue readField(const StoreValue& field, std::string_view database) {
  setLastStoreError(code::ok);
  OpenedDatabase* db = database.empty() ? currentDatabase() : findDatabase(database);
  if (!db)
    return fatal(0, kNoDatabaseMessage,
                 database.empty() ? code::noCurrentDatabase : code::noSuchDatabase);
  const FieldDescriptor* descriptor = nullptr;
  if (field.isText())
    descriptor = fieldNamed(*db, field.text());
  else if (field.isNumeric())
    descriptor = fieldNumbered(*db, field.toInt64());
  else
    return fatal(11, kFieldParameterMessage, code::kindMismatch);
  if (!descriptor) return fatal(0, kNoFieldMessage, code::noSuchField);

  std::string stored;
  if (int result = readStored(*db, *descriptor, stored)) {
    setLastStoreError(result);
    return StoreValue::emptyOf(kindOf(descriptor->type()));
  }
  return decode(descriptor->type(), stored);
}

}  // namespace store
