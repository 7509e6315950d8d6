#pragma once
// RunDirectory: the folder that holds the program file, where the panel keeps its data.

#include <string>
#include <string_view>

namespace app {

// Everything before the last backslash of the program's full path, found without taking the
// second byte of a double-byte character for a backslash: "C:\Tools\iconpanel.exe" gives
// "C:\Tools", a program in a drive's root gives "C:". Empty when the path has no backslash.
std::string runDirectoryOf(std::string_view programPath);

// The directory to make current for a run directory: a bare drive ("C:") names the drive's
// current directory rather than its root, so its root ("C:\") is taken instead.
std::string workingDirectoryFor(const std::string& runDirectory);

// RunDirectory followed by "\tubiao\wenjia.qdb".
std::string entryStorePath(const std::string& runDirectory);

}  // namespace app
