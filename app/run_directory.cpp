#include "app/run_directory.h"

#include "platform/code_page.h"

namespace app {

std::string runDirectoryOf(std::string_view programPath) {
  const std::size_t backslash = platform::findLastCharacter(programPath, '\\');
  if (backslash == std::string_view::npos) return {};
  return std::string(programPath.substr(0, backslash));
}

std::string workingDirectoryFor(const std::string& runDirectory) {
  if (runDirectory.size() == 2 && runDirectory[1] == ':') return runDirectory + "\\";
  return runDirectory;
}

std::string entryStorePath(const std::string& runDirectory) {
  return runDirectory + "\\tubiao\\wenjia.qdb";
}

}  // namespace app
