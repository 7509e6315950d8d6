#pragma once
// What a source path holds, told by its last three bytes alone.

#include <string_view>

namespace icons {

enum class SourceKind {
  None,      // anything else: no icon groups
  Module,    // "exe", "dll" or "icl" in any letter case: a program or library file
  IconFile,  // "ico" in any letter case
};

SourceKind sourceKindOf(std::string_view path);

// True when the last three bytes of `path` are `lowerCaseEnding` with letters in any case; the
// same test chooses the output format of the icon extractor.
bool lastThreeBytesAre(std::string_view path, std::string_view lowerCaseEnding);

}  // namespace icons
