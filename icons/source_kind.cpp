#include "icons/source_kind.h"

#include "platform/code_page.h"

namespace icons {

bool lastThreeBytesAre(std::string_view path, std::string_view lowerCaseEnding) {
  if (path.size() < 3) return false;
  return platform::equalsIgnoringCase(path.substr(path.size() - 3), lowerCaseEnding);
}

SourceKind sourceKindOf(std::string_view path) {
  if (lastThreeBytesAre(path, "exe") || lastThreeBytesAre(path, "dll") ||
      lastThreeBytesAre(path, "icl"))
    return SourceKind::Module;
  if (lastThreeBytesAre(path, "ico")) return SourceKind::IconFile;
  return SourceKind::None;
}

}  // namespace icons
