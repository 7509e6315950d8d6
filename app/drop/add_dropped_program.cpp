#include "app/drop/add_dropped_program.h"

#include <vector>

#include "app/drop/entry_files.h"
#include "app/drop/program_icon.h"
#include "app/drop/split_text.h"
#include "icons/replace_file.h"
#include "platform/env.h"
#include "store/store.h"

namespace app::drop {
namespace {

constexpr std::string_view kProgramField = "wenjian";
constexpr std::string_view kImageField = "tubiao";

// The entries of the current store, as far as the names of their files go.
std::vector<StoredEntry> readStoredEntries(std::int32_t count) {
  std::vector<StoredEntry> entries;
  entries.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (std::int32_t number = 1; number <= count; ++number) {
    if (!store::goToRecord(number)) break;
    // A field that is not a text refers to no file here; the grid reports it when it reads it.
    entries.push_back({store::readField(std::string(kProgramField)).text(),
                       store::readField(std::string(kImageField)).text()});
  }
  return entries;
}

}  // namespace

std::string addDroppedProgram(const std::string& droppedText, const std::string& runDirectory,
                              std::string_view storeAlias) {
  platform::Env& env = platform::env();
  const std::string iconFolder = iconFolderOf(runDirectory);
  if (!env.exists(iconFolder)) env.createDirectory(iconFolder);

  const auto pathPieces = splitText(droppedText, '\\');
  if (pathPieces.empty()) return {};
  const auto nameParts = splitText(pathPieces.back(), '.');
  if (nameParts.size() != 2) return {};
  const std::string baseName(nameParts[0]);
  if (nameParts[1] != "exe") return baseName;

  // Without the store no entry can be added, and which file names are taken is unknown:
  // nothing is written then.
  if (!store::selectDatabase(storeAlias)) return baseName;

  // The base name has no dot, so a name with two dots is never an entry's file.
  const auto icon = extractProgramIcon(droppedText, iconFolder + "\\" + baseName + ".new.ico");
  if (!icon) return baseName;

  const std::int32_t count = store::countRecords();
  const EntryFiles files =
      freeEntryFiles(iconFolder, baseName, droppedText, readStoredEntries(count));
  // Each file is either wholly written or left as it was, so an entry sharing them never
  // shows half an icon.
  if (!icons::replaceFileWith(files.iconPath, *icon) ||
      !icons::replaceFileWith(files.imagePath, *icon))
    return baseName;

  if (!store::appendRecord({std::to_string(count), droppedText, files.imagePath})) return baseName;
  return files.fileBase + ".jpg";
}

void handleDroppedFiles(const std::string& droppedText, const std::string& runDirectory,
                        std::string_view storeAlias, const std::function<void()>& rebuildTiles) {
  if (!addDroppedProgram(droppedText, runDirectory, storeAlias).empty()) rebuildTiles();
}

}  // namespace app::drop
