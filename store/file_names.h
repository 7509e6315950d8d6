#pragma once
// The names the store derives from a database file's name. Scans respect double-byte
// characters: a 0x5C or 0x2E byte that is the second half of one is not a backslash or a dot.

#include <string>
#include <string_view>

namespace store {

// The name with ".QDB" appended when its last component has no dot, "QDB" when it ends in one.
std::string withDefaultExtension(std::string_view fileName);
// The last component without its extension: "wenjia" for ...\tubiao\wenjia.qdb.
std::string bareNameOf(std::string_view fullPath);
// The auxiliary file's name: the extension replaced by "QDT".
std::string auxiliaryNameOf(std::string_view fullPath);

// A valid alias: letters, digits, the underscore and the double-byte characters the rule
// allows, not beginning with a digit.
bool isValidAlias(std::string_view alias);

}  // namespace store
