#pragma once
// Writes one icon group of a program file (or an icon file) as an icon file, or its first image
// as a bitmap file or onto the clipboard.

#include <string>

namespace icons {

// Output modes; any value other than 0 acts as 1.
inline constexpr int kOutputToFile = 0;
inline constexpr int kOutputToClipboard = 1;

// Reads group `groupNumber` (1-based; below 1 acts as 1) of `sourcePath` and, in mode 0, writes
// it to `targetPath`: an icon file of the whole group when the path ends in "ico", a bitmap file
// of its first image when it ends in "bmp" (any letter case), nothing otherwise. Mode 1 puts the
// first image on the clipboard where the platform has one.
//
// Returns 0 when mode 0 has an empty target path, when the source kind is not recognised, when
// a module has no icon group or fewer groups than `groupNumber`; otherwise the number of icon
// groups of the source (an icon file counts as one), whether or not the output was written.
//
// The output is written to a temporary file beside the target and moved into place, so that a
// failed write leaves neither a half-written file nor a damaged earlier one.
int extractIconToFile(const std::string& sourcePath, const std::string& targetPath = {},
                      int groupNumber = 1, int outputMode = kOutputToClipboard);

}  // namespace icons
