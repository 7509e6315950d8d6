#pragma once
// Splitting a dropped path into its parts, one delimiter byte at a time, without cutting a
// double-byte character of the ANSI code page in two.

#include <string_view>
#include <vector>

namespace app::drop {

// The pieces of `text` between the occurrences of `delimiter`. An empty text gives no piece;
// a leading delimiter or two in a row give empty pieces; a trailing delimiter gives no empty
// last piece. A delimiter byte that is the second byte of a double-byte character does not
// cut. The pieces point into `text`.
std::vector<std::string_view> splitText(std::string_view text, char delimiter);

}  // namespace app::drop
