#pragma once
// Making a new, empty database file (and its auxiliary file when a field needs one). The panel
// never creates a store; the qdb tool does.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/format.h"

namespace store {

struct FieldDefinition {
  std::string name;
  format::FieldType type = format::FieldType::Text;
  std::int32_t width = 0;  // Text only
};

// What makes the definitions unusable, in English for the tool's user; empty when they are
// sound: names of 1 to 16 bytes, distinct ignoring case; Text widths above 0; a record size
// that fits the header.
std::string definitionProblem(const std::vector<FieldDefinition>& fields);

// Creates the database file, named as openDatabase names it (".QDB" when it has no extension),
// with version 65536, nextSerial 1 and no records; fields lie one after the other after the
// serial. Fails, without leaving either file behind, when a file of either name exists.
// 0 or a result code (-22 for unusable definitions).
int createDatabase(std::string_view fileName, const std::vector<FieldDefinition>& fields);

}  // namespace store
