#pragma once
// Whole-file reads and writes used by the panel for icon and image files.

#include <string>

#include "platform/bytes.h"

namespace platform {

// The whole content of a file. An empty name, a file that cannot be opened (it is opened for
// reading, others may read but not write it meanwhile) and an empty file all give empty bytes.
Bytes readFileBytes(const std::string& name);

// Creates the file or cuts an existing one to length 0, writes the bytes and closes it.
// False for an empty name, or when the file cannot be created or fully written.
bool writeFileBytes(const std::string& name, const Bytes& bytes);

}  // namespace platform
