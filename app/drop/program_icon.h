#pragma once
// The icon of a dropped program, as the bytes of an icon file.

#include <optional>
#include <string>

#include "platform/bytes.h"

namespace app::drop {

// Lets the icon extractor write the first icon group of `program` as an icon file named
// `scratchPath` (which must end in "ico"), takes its bytes and removes it again. Nothing when
// the extractor finds no icon group, or when it counted groups but wrote no file that holds
// an icon (the chosen group could not be loaded): a count above 0 alone proves no icon.
std::optional<platform::Bytes> extractProgramIcon(const std::string& program,
                                                  const std::string& scratchPath);

}  // namespace app::drop
