#include "tools/qdb/qdb_commands.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <optional>

#include "platform/env.h"
#include "store/create_database.h"
#include "store/file_names.h"
#include "store/format.h"
#include "store/inspect.h"
#include "store/store.h"
#include "tools/qdb/text_conversion.h"

namespace qdb {

namespace {

using store::StoreValue;
using store::format::FieldType;

constexpr int kMessageCodePage = 936;  // the store's own messages are GBK

const char* const kUsage =
    "usage: qdb [--readonly] [--codepage N] COMMAND FILE [ARGUMENTS...]\n"
    "\n"
    "  create FILE NAME:TYPE[:WIDTH]...  make an empty store; TYPE is one of byte short int\n"
    "                                    long float double bool datetime routineref text\n"
    "                                    byteset remark; WIDTH is given for text only\n"
    "  info FILE                         header, fields and record count\n"
    "  dump FILE                         one JSON object per record\n"
    "  append FILE VALUE...              append one record, values in field order; an empty\n"
    "                                    value leaves its field zero; byteset values in hex\n"
    "  check FILE                        open read-only and read every record and chain\n"
    "\n"
    "  --readonly     open info, dump and append read-only (no repair of the counts)\n"
    "  --codepage N   code page of the store's texts (default 936); texts on the command\n"
    "                 line and in the output are UTF-8\n"
    "  --help         this text\n";

struct Options {
  bool readOnly = false;
  int codePage = 936;
  std::vector<std::string> positional;
};

class UsageError {
 public:
  explicit UsageError(std::string message) : message(std::move(message)) {}
  std::string message;
};

// One command's run: its options, its streams, and the store closed at its end.
class Session {
 public:
  Session(const Options& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err) {}
  ~Session() { store::closeAllDatabases(); }

  int create();
  int info();
  int dump();
  int append();
  int check();

 private:
  const std::string& file() const { return options_.positional.at(1); }
  std::string utf8(const std::string& text) const { return toUtf8(text, options_.codePage); }
  std::string inCodePage(const std::string& utf8Text) const;
  int storeFailure(const std::string& context) const;
  bool open(bool readOnly) {
    return store::openDatabase(file(), "", readOnly ? 1 : 0);
  }
  std::string json(const StoreValue& value) const;
  std::string jsonString(const std::string& utf8Text) const;
  StoreValue parse(const store::format::FieldDescriptor& field, const std::string& text) const;

  const Options& options_;
  std::ostream& out_;
  std::ostream& err_;
};

int Session::storeFailure(const std::string& context) const {
  int code = store::lastStoreError();
  err_ << "qdb: " << context << (context.empty() ? "" : ": ") << "error " << code << ": "
       << toUtf8(store::messageOf(code), kMessageCodePage) << "\n";
  return 1;
}

std::string Session::inCodePage(const std::string& utf8Text) const {
  std::string converted;
  if (!fromUtf8(utf8Text, options_.codePage, converted))
    throw UsageError("\"" + utf8Text + "\" cannot be written in code page " +
                     std::to_string(options_.codePage));
  return converted;
}

std::string Session::jsonString(const std::string& utf8Text) const {
  std::string out = "\"";
  for (unsigned char c : utf8Text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Session::json(const StoreValue& value) const {
  auto number = [](double real, int digits) -> std::string {
    if (!std::isfinite(real)) return "null";
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, real);
    return text;
  };
  switch (value.kind()) {
    case StoreValue::Kind::Empty:
      return "null";
    case StoreValue::Kind::Byte:
    case StoreValue::Kind::Short:
    case StoreValue::Kind::Int:
    case StoreValue::Kind::Long:
      return std::to_string(value.toInt64());
    case StoreValue::Kind::RoutineRef:
      return std::to_string(value.routineRef());
    case StoreValue::Kind::Float:
      return number(value.floatValue(), 9);
    case StoreValue::Kind::Double:
      return number(value.doubleValue(), 17);
    case StoreValue::Kind::DateTime:
      return number(value.dateTime(), 17);
    case StoreValue::Kind::Bool:
      return value.boolValue() ? "true" : "false";
    case StoreValue::Kind::Text:
      return jsonString(utf8(value.text()));
    case StoreValue::Kind::ByteSet: {
      std::string hex;
      for (std::uint8_t byte : value.byteSet()) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += pair;
      }
      return jsonString(hex);
    }
  }
  return "null";
}

template <typename T>
std::optional<T> parseInteger(const std::string& text, int base = 10) {
  T value{};
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value, base);
  if (error != std::errc() || at != end) return std::nullopt;
  return value;
}

std::optional<double> parseReal(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return std::nullopt;
  return value;
}

StoreValue Session::parse(const store::format::FieldDescriptor& field, const std::string& text) const {
  FieldType type = field.type();
  if (text.empty() && type != FieldType::Text && type != FieldType::Remark) return {};
  auto fail = [&]() -> UsageError {
    return UsageError("\"" + text + "\" is not a " + store::format::nameOf(type) + " value for field " +
                      utf8(field.name));
  };
  auto valueOf = [&](auto parsed) {
    if (!parsed) throw fail();
    return *parsed;
  };
  switch (type) {
    case FieldType::Byte:
      return StoreValue::ofByte(valueOf(parseInteger<std::uint8_t>(text)));
    case FieldType::Short:
      return StoreValue::ofShort(valueOf(parseInteger<std::int16_t>(text)));
    case FieldType::Int:
      return StoreValue::ofInt(valueOf(parseInteger<std::int32_t>(text)));
    case FieldType::Long:
      return StoreValue::ofLong(valueOf(parseInteger<std::int64_t>(text)));
    case FieldType::RoutineRef:
      return StoreValue::ofRoutineRef(valueOf(text.rfind("0x", 0) == 0
                                                  ? parseInteger<std::uint32_t>(text.substr(2), 16)
                                                  : parseInteger<std::uint32_t>(text)));
    case FieldType::Float:
      return StoreValue::ofFloat(static_cast<float>(valueOf(parseReal(text))));
    case FieldType::Double:
      return StoreValue::ofDouble(valueOf(parseReal(text)));
    case FieldType::DateTime:
      return StoreValue::ofDateTime(valueOf(parseReal(text)));
    case FieldType::Bool:
      if (text == "true" || text == "1") return StoreValue::ofBool(true);
      if (text == "false" || text == "0") return StoreValue::ofBool(false);
      throw fail();
    case FieldType::Text:
    case FieldType::Remark:
      return StoreValue(inCodePage(text));
    case FieldType::ByteSet: {
      if (text.size() % 2 != 0) throw fail();
      platform::Bytes bytes;
      for (std::size_t i = 0; i < text.size(); i += 2)
        bytes.push_back(valueOf(parseInteger<std::uint8_t>(text.substr(i, 2), 16)));
      return StoreValue::ofByteSet(std::move(bytes));
    }
  }
  throw fail();
}

int Session::create() {
  std::vector<store::FieldDefinition> fields;
  for (std::size_t i = 2; i < options_.positional.size(); ++i) {
    const std::string& definition = options_.positional[i];
    std::size_t colon = definition.find(':');
    if (colon == std::string::npos) throw UsageError("field \"" + definition + "\" needs NAME:TYPE");
    std::size_t second = definition.find(':', colon + 1);
    std::string typeName = definition.substr(colon + 1, second == std::string::npos ? std::string::npos : second - colon - 1);
    std::optional<FieldType> type = store::format::fieldTypeNamed(typeName);
    if (!type) throw UsageError("unknown field type \"" + typeName + "\"");
    store::FieldDefinition field{inCodePage(definition.substr(0, colon)), *type, 0};
    if ((second != std::string::npos) != (*type == FieldType::Text))
      throw UsageError("field \"" + definition + "\": a width is given for text fields, and only for them");
    if (second != std::string::npos) {
      std::optional<std::int32_t> width = parseInteger<std::int32_t>(definition.substr(second + 1));
      if (!width) throw UsageError("field \"" + definition + "\": the width is not a number");
      field.width = *width;
    }
    fields.push_back(field);
  }
  std::string problem = store::definitionProblem(fields);
  if (!problem.empty()) throw UsageError(problem);
  if (platform::env().exists(store::withDefaultExtension(file()))) {
    err_ << "qdb: " << file() << " already exists\n";
    return 1;
  }
  if (int code = store::createDatabase(file(), fields)) {
    err_ << "qdb: error " << code << ": " << toUtf8(store::messageOf(code), kMessageCodePage) << "\n";
    return 1;
  }
  return 0;
}

int Session::info() {
  store::DatabaseInfo info;
  if (!open(options_.readOnly) || !store::describeCurrentDatabase(info)) return storeFailure(file());
  out_ << "file         " << utf8(info.fullPath) << "\n"
       << "version      " << info.version << "\n"
       << "records      " << info.recordCount << "\n"
       << "next serial  " << info.nextSerial << "\n"
       << "record size  " << info.recordSize << "\n"
       << "data start   " << info.dataStart << "\n"
       << "auxiliary    "
       << (info.hasAuxiliaryFile ? utf8(store::auxiliaryNameOf(info.fullPath)) : "none") << "\n"
       << "fields       " << info.fields.size() << "\n";
  for (std::size_t i = 0; i < info.fields.size(); ++i) {
    const store::format::FieldDescriptor& field = info.fields[i];
    out_ << "  " << i + 1 << "  " << utf8(field.name) << "  " << store::format::nameOf(field.type())
         << "  offset " << field.offset << "  width "
         << store::format::storedWidth(field.type(), field.width) << "\n";
  }
  return 0;
}

int Session::dump() {
  store::DatabaseInfo info;
  if (!open(options_.readOnly) || !store::describeCurrentDatabase(info)) return storeFailure(file());
  int status = 0;
  for (std::int32_t record = 1; record <= info.recordCount; ++record) {
    std::int32_t serial = 0;
    if (!store::goToRecord(record) || !store::readSerial(serial))
      return storeFailure("record " + std::to_string(record));
    std::string line = "{\"serial\":" + std::to_string(serial);
    for (std::size_t i = 0; i < info.fields.size(); ++i) {
      StoreValue value = store::readField(static_cast<std::int32_t>(i + 1));
      if (store::lastStoreError() != 0)
        status = storeFailure("record " + std::to_string(record) + " field " + utf8(info.fields[i].name));
      line.append(",").append(jsonString(utf8(info.fields[i].name))).append(":").append(json(value));
    }
    out_ << line << "}\n";
  }
  return status;
}

int Session::append() {
  store::DatabaseInfo info;
  if (!open(options_.readOnly) || !store::describeCurrentDatabase(info)) return storeFailure(file());
  std::size_t given = options_.positional.size() - 2;
  if (given > info.fields.size())
    throw UsageError(std::to_string(given) + " values for " + std::to_string(info.fields.size()) + " fields");
  std::vector<StoreValue> values;
  for (std::size_t i = 0; i < given; ++i) values.push_back(parse(info.fields[i], options_.positional[i + 2]));
  if (!store::appendRecord(values)) return storeFailure(file());
  return 0;
}

int Session::check() {
  store::DatabaseInfo info;
  if (!store::openDatabase(file(), "", 1) || !store::describeCurrentDatabase(info)) return storeFailure(file());
  int status = 0;
  for (std::int32_t record = 1; record <= info.recordCount; ++record) {
    std::int32_t serial = 0;
    if (!store::goToRecord(record) || !store::readSerial(serial)) {
      status = storeFailure("record " + std::to_string(record));
      continue;
    }
    for (std::size_t i = 0; i < info.fields.size(); ++i) {
      store::readField(static_cast<std::int32_t>(i + 1));
      if (store::lastStoreError() != 0)
        status = storeFailure("record " + std::to_string(record) + " field " + utf8(info.fields[i].name));
    }
  }
  store::FreeListInfo freeList;
  if (!store::walkFreeList(freeList)) status = storeFailure("free list");
  if (status == 0)
    out_ << utf8(info.fullPath) << ": " << info.recordCount << " records, " << freeList.listed
         << " free blocks, sound\n";
  return status;
}

// readField stops the process on a programming error; the tool says so before it ends.
void reportFatal(int errorNumber, const std::string& message) {
  std::cerr << "qdb: fatal error " << errorNumber << ": " << toUtf8(message, kMessageCodePage) << "\n";
  std::exit(3);
}

Options parseOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--readonly") {
      options.readOnly = true;
    } else if (argument == "--codepage" || argument.rfind("--codepage=", 0) == 0) {
      std::string value = argument == "--codepage" ? (++i < arguments.size() ? arguments[i] : "")
                                                   : argument.substr(11);
      std::optional<int> codePage = parseInteger<int>(value);
      if (!codePage || !isKnownCodePage(*codePage)) throw UsageError("unknown code page \"" + value + "\"");
      options.codePage = *codePage;
    } else if (argument.rfind("--", 0) == 0) {
      throw UsageError("unknown option " + argument);
    } else {
      options.positional.push_back(argument);
    }
  }
  return options;
}

}  // namespace

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      out << kUsage;
      return 0;
    }
  }
  store::FatalErrorHook previousHook = store::setFatalErrorHook(reportFatal);
  int status = 2;
  try {
    Options options = parseOptions(arguments);
    if (options.positional.size() < 2) throw UsageError("a command and a file are needed");
    const std::string& command = options.positional[0];
    Session session(options, out, err);
    if (command == "create") status = session.create();
    else if (command == "info" && options.positional.size() == 2) status = session.info();
    else if (command == "dump" && options.positional.size() == 2) status = session.dump();
    else if (command == "append") status = session.append();
    else if (command == "check" && options.positional.size() == 2) status = session.check();
    else throw UsageError("unknown command line");
  } catch (const UsageError& error) {
    err << "qdb: " << error.message << "\n" << kUsage;
    status = 2;
  }
  store::setFatalErrorHook(previousHook);
  return status;
}

}  // namespace qdb
