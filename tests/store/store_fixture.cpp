#include "tests/store/store_fixture.h"

#include "platform/env.h"

namespace store {

void PrintTo(const StoreValue& value, std::ostream* out) {
  *out << "kind " << static_cast<int>(value.kind());
  if (value.isText()) *out << " \"" << value.text() << "\"";
  else if (value.kind() == StoreValue::Kind::ByteSet) *out << " " << value.byteSet().size() << " bytes";
  else if (value.kind() == StoreValue::Kind::DateTime) *out << " " << value.dateTime();
  else if (value.kind() == StoreValue::Kind::RoutineRef) *out << " " << value.routineRef();
  else *out << " " << value.toDouble() << (value.boolValue() ? " true" : "");
}

}  // namespace store

namespace store_test {

std::vector<std::pair<int, std::string>>& fatalErrors() {
  static std::vector<std::pair<int, std::string>> seen;
  return seen;
}

namespace {
void recordFatalError(int errorNumber, const std::string& message) {
  fatalErrors().emplace_back(errorNumber, message);
}
}  // namespace

Bytes StoreTest::read(const std::string& path) {
  auto file = platform::env()
                  .open(path, platform::Access::Read, platform::Sharing::DenyNone,
                        platform::Disposition::OpenExisting)
                  .file;
  if (!file) return {};
  Bytes bytes(static_cast<std::size_t>(file->length().length));
  bytes.resize(file->readAt(0, bytes.data(), bytes.size()).count);
  return bytes;
}

void StoreTest::SetUp() {
  fatalErrors().clear();
  previousHook_ = store::setFatalErrorHook(recordFatalError);
}

void StoreTest::TearDown() {
  store::closeAllDatabases();
  store::setLockWaitTime(0);
  store::setFatalErrorHook(previousHook_);
}

}  // namespace store_test
