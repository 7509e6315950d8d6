#pragma once
// Between the store's code page and UTF-8, in which a terminal gives and shows text: iconv on
// POSIX, the Windows conversion functions on Windows. Code pages are given by number (936 is
// GBK, 65001 is UTF-8).

#include <string>
#include <string_view>
#include <vector>

namespace qdb {

bool isKnownCodePage(int codePage);

// Text in the code page as UTF-8; a byte sequence that is not a character of the code page
// becomes U+FFFD.
std::string toUtf8(std::string_view text, int codePage);

// UTF-8 text in the code page; false when the text is not UTF-8 or has a character that the
// code page cannot hold.
bool fromUtf8(std::string_view text, int codePage, std::string& converted);

// The program's arguments in UTF-8 (on Windows the command line is read again in UTF-16, as
// the arguments given to main are in the ANSI code page).
std::vector<std::string> utf8Arguments(int argc, char** argv);

}  // namespace qdb
