// Appending one record at the end of the current database.
//
// Lock order, the same in every process: count lock, record lock, then for each chain the
// auxiliary header lock and its block locks; released in the opposite order. The count lock is
// held from before the counters are read until after they are written, so two appends never
// take the same slot.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "store/auxiliary_chain.h"
#include "store/counters.h"
#include "store/file_io.h"
#include "store/last_error.h"
#include "store/little_endian.h"
#include "store/store.h"

namespace store {

namespace {

using namespace format;
using Kind = StoreValue::Kind;

bool fits(Kind value, Kind field) {
  return value == field || (StoreValue::isNumericKind(value) && StoreValue::isNumericKind(field));
}

// A numeric value as a float field holds it: the nearest float, infinite beyond its range.
float toFloat(const StoreValue& value) {
  if (value.kind() == Kind::Float) return value.floatValue();
  if (value.kind() != Kind::Double) return static_cast<float>(value.toInt64());
  constexpr double kMax = std::numeric_limits<float>::max();
  double real = value.doubleValue();
  if (std::isnan(real) || std::fabs(real) <= kMax) return static_cast<float>(real);
  return real > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
}

template <typename T>
void storeRaw(std::uint8_t* at, T value) {
  std::memcpy(at, &value, sizeof value);
}

// Writes a value of a fitting kind at the field's place in the record (chains excepted).
void encode(const FieldDescriptor& field, const StoreValue& value, std::uint8_t* at) {
  switch (field.type()) {
    case FieldType::Byte:
    case FieldType::Short:
    case FieldType::Int:
    case FieldType::Long:
      // Only the low-order bytes of the (sign- or zero-extended, or truncated) integer remain.
      storeLittleEndian(at, static_cast<std::size_t>(storedWidth(field.type(), 0)),
                        static_cast<std::uint64_t>(value.toInt64()));
      break;
    case FieldType::Float:
      storeRaw(at, toFloat(value));
      break;
    case FieldType::Double:
      storeRaw(at, value.toDouble());
      break;
    case FieldType::Bool:
      at[0] = value.boolValue() ? 1 : 0;
      break;
    case FieldType::DateTime:
      storeRaw(at, value.dateTime());
      break;
    case FieldType::RoutineRef:
      storeLittleEndian(at, 4, value.routineRef());
      break;
    case FieldType::Text: {
      // The text and its terminator, cut at the width: a text of width bytes or more keeps
      // no terminator.
      std::size_t count = std::min(static_cast<std::size_t>(field.width), value.text().size() + 1);
      std::memcpy(at, value.text().c_str(), count);
      break;
    }
    case FieldType::ByteSet:
    case FieldType::Remark:
      break;  // written as chains
  }
}

std::string_view chainBytes(const StoreValue& value) {
  if (value.kind() == Kind::ByteSet)
    return {reinterpret_cast<const char*>(value.byteSet().data()), value.byteSet().size()};
  return value.text();
}

int append(const std::vector<StoreValue>& values) {
  OpenedDatabase* db = currentDatabase();
  if (!db) return code::noCurrentDatabase;
  std::size_t given = std::min(values.size(), db->descriptors.size());
  for (std::size_t i = 0; i < given; ++i)
    if (!values[i].isEmpty() && !fits(values[i].kind(), kindOf(db->descriptors[i].type())))
      return code::kindMismatch;

  ScopedLock countLock;
  if (int result = countLock.take(*db->locks, kCountLockOffset)) return result;
  CounterBytes counters{};
  if (int result = readCounters(*db, counters)) return result;
  std::int32_t slot = std::max(int32At<0>(counters), 0);
  std::int32_t serial = std::max(int32At<4>(counters), 1);
  // One more record or serial would not fit the header's int32 counters; a serial that
  // wrapped around would mark the record deleted.
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  if (slot == kMax || serial == kMax) return code::unknown;

  ScopedLock recordLock;
  if (int result = recordLock.take(*db->locks, db->recordOffset(slot))) return result;
  std::vector<std::uint8_t> record;
  try {
    record.assign(static_cast<std::size_t>(db->recordSize), 0);
  } catch (const std::bad_alloc&) {
    return code::outOfMemory;
  }
  // Field places were checked at open to lie inside the record, after the serial.
  for (std::size_t i = 0; i < given; ++i) {
    const FieldDescriptor& field = db->descriptors[i];
    std::uint8_t* at = record.data() + field.offset;
    if (values[i].isEmpty()) continue;
    if (usesAuxiliaryFile(field.type())) {
      // A chain that fails fails the append: a record must never point at blocks that the
      // auxiliary header does not count as taken.
      std::int32_t first = 0;
      if (int result = writeChain(*db, chainBytes(values[i]), first)) return result;
      storeLittleEndian(at, 4, static_cast<std::uint32_t>(first));
    } else {
      encode(field, values[i], at);
    }
  }
  storeLittleEndian(record.data(), kSerialSize, static_cast<std::uint32_t>(serial));

  if (int result = writeAll(*db->file, db->recordOffset(slot), record.data(), record.size())
                       .code(code::unknown))
    return result;
  std::array<std::uint8_t, 8> advanced{};
  putInt32<0>(advanced, slot + 1);
  putInt32<4>(advanced, serial + 1);
  if (int result = writeAll(*db->file, kRecordCountOffset, advanced.data(), advanced.size())
                       .code(code::unknown)) {
    // A write that stopped short may have changed part of the counters: put back what was
    // read, so that they keep claiming only the records that were whole before.
    writeAll(*db->file, kRecordCountOffset, counters.data(), counters.size());
    return result;
  }
  db->currentRecord = slot;
  recordLock.release();
  countLock.release();
  return code::ok;
}

}  // namespace

bool appendRecord(const std::vector<StoreValue>& values) {
  return setLastStoreError(append(values)) == code::ok;
}

}  // namespace store
