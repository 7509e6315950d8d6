#include "app/drop/entry_files.h"

#include <algorithm>

#include "platform/code_page.h"

namespace app::drop {
namespace {

EntryFiles entryFilesNamed(const std::string& iconFolder, std::string fileBase) {
  const std::string stem = iconFolder + "\\" + fileBase;
  return {std::move(fileBase), stem + ".ICO", stem + ".jpg"};
}

}  // namespace

std::string iconFolderOf(const std::string& runDirectory) { return runDirectory + "\\tubiao"; }

EntryFiles freeEntryFiles(const std::string& iconFolder, const std::string& baseName,
                          const std::string& program, const std::vector<StoredEntry>& entries) {
  auto takenByAnotherProgram = [&](const EntryFiles& files) {
    return std::any_of(entries.begin(), entries.end(), [&](const StoredEntry& entry) {
      return platform::equalsIgnoringCase(entry.image, files.imagePath) &&
             !platform::equalsIgnoringCase(entry.program, program);
    });
  };
  // Each entry takes at most one name, so one of the first entries.size() + 1 names is free.
  EntryFiles files = entryFilesNamed(iconFolder, baseName);
  for (std::size_t number = 2; takenByAnotherProgram(files); ++number)
    files = entryFilesNamed(iconFolder, baseName + "_" + std::to_string(number));
  return files;
}

}  // namespace app::drop
