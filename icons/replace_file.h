#pragma once
// Writing a file so that it is either wholly there or not changed at all.

#include <string>

#include "platform/bytes.h"

namespace icons {

// Writes the bytes to a temporary file beside `path` and moves it over `path`. On any failure
// the temporary file is removed and a file that already had the name keeps its old bytes.
bool replaceFileWith(const std::string& path, const platform::Bytes& bytes);

}  // namespace icons
