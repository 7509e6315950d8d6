#include "app/drop/dropped_files_text.h"

namespace app::drop {

std::string droppedFilesText(const std::vector<std::string>& paths) {
  if (paths.size() == 1) return paths.front();
  std::string text;
  for (const std::string& path : paths) {
    text += path;
    text += "\r\n";
  }
  return text;
}

}  // namespace app::drop
