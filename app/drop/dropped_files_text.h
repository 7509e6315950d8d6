#pragma once
// The one text that the got-files event carries for the items of one drop.

#include <string>
#include <vector>

namespace app::drop {

// One item: its path exactly. Two or more: every path followed by a carriage return and a
// line feed, in the order given, so that the text ends with a line break. No item: empty.
std::string droppedFilesText(const std::vector<std::string>& paths);

}  // namespace app::drop
