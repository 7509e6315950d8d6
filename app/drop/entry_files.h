#pragma once
// Where the icon file and the image file of an added program go, and how two different
// programs with the same file name keep apart: each entry must go on showing its own
// program's icon, so names that an entry of another program refers to are never reused.

#include <string>
#include <vector>

namespace app::drop {

// IconFolder: RunDirectory followed by "\tubiao".
std::string iconFolderOf(const std::string& runDirectory);

struct EntryFiles {
  std::string fileBase;   // base name, or base name, "_" and a number
  std::string iconPath;   // IconFolder\<fileBase>.ICO
  std::string imagePath;  // IconFolder\<fileBase>.jpg
};

// What a stored entry says about the files: its program's path (wenjian) and its image file's
// path (tubiao).
struct StoredEntry {
  std::string program;
  std::string image;
};

// The first of <base>, <base>_2, <base>_3, ... whose image file no entry of a program other
// than `program` refers to. The same program may share its files with its earlier entries.
// Paths are compared ignoring letter case, as the file system does.
EntryFiles freeEntryFiles(const std::string& iconFolder, const std::string& baseName,
                          const std::string& program, const std::vector<StoredEntry>& entries);

}  // namespace app::drop
