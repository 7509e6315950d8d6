#include "store/store_value.h"

#include <cmath>
#include <limits>

namespace store {

namespace {
const std::string kNoText;
const platform::Bytes kNoBytes;
}  // namespace

StoreValue StoreValue::integral(Kind kind, std::int64_t value) {
  StoreValue result;
  result.kind_ = kind;
  result.integer_ = value;
  return result;
}

StoreValue StoreValue::real(Kind kind, double value) {
  StoreValue result;
  result.kind_ = kind;
  result.real_ = value;
  return result;
}

StoreValue StoreValue::ofByteSet(platform::Bytes bytes) {
  StoreValue result;
  result.kind_ = Kind::ByteSet;
  result.bytes_ = std::move(bytes);
  return result;
}

StoreValue StoreValue::emptyOf(Kind kind) {
  StoreValue result;
  result.kind_ = kind;
  return result;
}

const std::string& StoreValue::text() const { return kind_ == Kind::Text ? text_ : kNoText; }
const platform::Bytes& StoreValue::byteSet() const {
  return kind_ == Kind::ByteSet ? bytes_ : kNoBytes;
}
std::uint8_t StoreValue::byteValue() const {
  return kind_ == Kind::Byte ? static_cast<std::uint8_t>(integer_) : 0;
}
std::int16_t StoreValue::shortValue() const {
  return kind_ == Kind::Short ? static_cast<std::int16_t>(integer_) : 0;
}
std::int32_t StoreValue::intValue() const {
  return kind_ == Kind::Int ? static_cast<std::int32_t>(integer_) : 0;
}
std::int64_t StoreValue::longValue() const { return kind_ == Kind::Long ? integer_ : 0; }
float StoreValue::floatValue() const {
  return kind_ == Kind::Float ? static_cast<float>(real_) : 0.0f;
}
double StoreValue::doubleValue() const { return kind_ == Kind::Double ? real_ : 0.0; }
bool StoreValue::boolValue() const { return kind_ == Kind::Bool && integer_ != 0; }
double StoreValue::dateTime() const { return kind_ == Kind::DateTime ? real_ : 0.0; }
std::uint32_t StoreValue::routineRef() const {
  return kind_ == Kind::RoutineRef ? static_cast<std::uint32_t>(integer_) : 0;
}

std::int64_t StoreValue::toInt64() const {
  if (!isNumeric()) return 0;
  if (kind_ != Kind::Float && kind_ != Kind::Double) return integer_;
  // Truncated toward zero; values outside the 64-bit range stop at its ends, NaN gives 0.
  if (std::isnan(real_)) return 0;
  constexpr double kLimit = 9223372036854775808.0;  // 2 to the power 63
  if (real_ >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (real_ < -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(real_);
}

double StoreValue::toDouble() const {
  if (!isNumeric()) return 0;
  if (kind_ == Kind::Float || kind_ == Kind::Double) return real_;
  return static_cast<double>(integer_);
}

}  // namespace store
