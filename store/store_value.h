#pragma once
// The typed value that the entry store takes and returns: one field of one record.

#include <cstdint>
#include <string>

#include "platform/bytes.h"

namespace store {

class StoreValue {
 public:
  // Empty is a position left empty in an append (its field stays zero). Byte to Double are
  // the numeric kinds.
  enum class Kind {
    Empty,
    Byte,
    Short,
    Int,
    Long,
    Float,
    Double,
    Bool,
    DateTime,
    RoutineRef,
    Text,
    ByteSet,
  };

  StoreValue() = default;
  // Texts and ints convert implicitly, so that the panel writes appendRecord({"0", path, image})
  // and readField("tubiao") or readField(2).
  StoreValue(const char* text) : kind_(Kind::Text), text_(text ? text : "") {}
  StoreValue(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}
  StoreValue(std::int32_t value) : kind_(Kind::Int), integer_(value) {}

  static StoreValue ofByte(std::uint8_t value) { return integral(Kind::Byte, value); }
  static StoreValue ofShort(std::int16_t value) { return integral(Kind::Short, value); }
  static StoreValue ofInt(std::int32_t value) { return integral(Kind::Int, value); }
  static StoreValue ofLong(std::int64_t value) { return integral(Kind::Long, value); }
  static StoreValue ofFloat(float value) { return real(Kind::Float, value); }
  static StoreValue ofDouble(double value) { return real(Kind::Double, value); }
  static StoreValue ofBool(bool value) { return integral(Kind::Bool, value ? 1 : 0); }
  // Days since 30 December 1899, the time of day as the fraction.
  static StoreValue ofDateTime(double days) { return real(Kind::DateTime, days); }
  static StoreValue ofRoutineRef(std::uint32_t value) { return integral(Kind::RoutineRef, value); }
  static StoreValue ofText(std::string text) { return StoreValue(std::move(text)); }
  static StoreValue ofByteSet(platform::Bytes bytes);
  // The value that a failed read of a field of this kind gives: empty text or byte set,
  // false, or zero.
  static StoreValue emptyOf(Kind kind);

  Kind kind() const { return kind_; }
  bool isEmpty() const { return kind_ == Kind::Empty; }
  bool isText() const { return kind_ == Kind::Text; }
  bool isNumeric() const { return isNumericKind(kind_); }
  static bool isNumericKind(Kind kind) { return kind >= Kind::Byte && kind <= Kind::Double; }

  // Each getter gives the value when the kind matches and an empty one (0, false, "")
  // otherwise.
  const std::string& text() const;
  const platform::Bytes& byteSet() const;
  std::uint8_t byteValue() const;
  std::int16_t shortValue() const;
  std::int32_t intValue() const;
  std::int64_t longValue() const;
  float floatValue() const;
  double doubleValue() const;
  bool boolValue() const;
  double dateTime() const;
  std::uint32_t routineRef() const;

  // A numeric value as a 64-bit integer (floats truncated toward zero, saturating at the
  // limits) or as a double; 0 for the other kinds.
  std::int64_t toInt64() const;
  double toDouble() const;

  friend bool operator==(const StoreValue&, const StoreValue&) = default;

 private:
  static StoreValue integral(Kind kind, std::int64_t value);
  static StoreValue real(Kind kind, double value);

  Kind kind_ = Kind::Empty;
  std::int64_t integer_ = 0;  // Byte, Short, Int, Long, Bool, RoutineRef
  double real_ = 0;           // Float, Double, DateTime
  std::string text_;          // Text
  platform::Bytes bytes_;     // ByteSet
};

}  // namespace store
