#include "icons/extract_icon.h"

#include <optional>

#include "icons/bitmap_output.h"
#include "icons/icon_file.h"
#include "icons/icon_file_writer.h"
#include "icons/pe_resources.h"
#include "icons/replace_file.h"
#include "icons/source_kind.h"
#include "platform/clipboard.h"

namespace icons {
namespace {

struct SourceGroup {
  int count = 0;
  std::optional<IconImageSet> set;
};

// The number of groups of a module and the chosen group, read through one open of the file.
SourceGroup readModuleGroup(const std::string& path, int groupNumber) {
  SourceGroup result;
  auto source = FileByteSource::open(path, platform::Sharing::DenyWrite);
  if (!source) return result;
  auto resources = PeResources::open(*source);
  if (!resources) return result;
  auto keys = resources->keysOfType(kIconGroupResourceType);
  if (!keys) return result;
  result.count = static_cast<int>(keys->size());
  if (groupNumber <= result.count) result.set = resources->loadIconGroup((*keys)[groupNumber - 1]);
  return result;
}

void writeToFile(const IconImageSet& set, const std::string& targetPath) {
  std::optional<platform::Bytes> bytes;
  if (lastThreeBytesAre(targetPath, "ico")) {
    bytes = encodeIconFile(set);
  } else if (lastThreeBytesAre(targetPath, "bmp") && !set.images.empty()) {
    bytes = encodeBitmapFile(set.images.front());
  }
  // The result does not report the writing; a failed write leaves no file behind.
  if (bytes) replaceFileWith(targetPath, *bytes);
}

void putOnClipboard(const IconImageSet& set) {
  if (set.images.empty()) return;
  if (auto packed = clipboardBitmap(set.images.front())) platform::putBitmapOnClipboard(*packed);
}

}  // namespace

int extractIconToFile(const std::string& sourcePath, const std::string& targetPath, int groupNumber,
                      int outputMode) {
  if (outputMode != kOutputToFile) outputMode = kOutputToClipboard;
  if (groupNumber < 1) groupNumber = 1;
  if (outputMode == kOutputToFile && targetPath.empty()) return 0;

  SourceGroup group;
  switch (sourceKindOf(sourcePath)) {
    case SourceKind::Module:
      group = readModuleGroup(sourcePath, groupNumber);
      break;
    case SourceKind::IconFile:
      // An icon file is one group, whether or not it can be read.
      group.count = 1;
      if (groupNumber == 1) group.set = readIconFile(sourcePath);
      break;
    case SourceKind::None:
      return 0;
  }
  if (group.count == 0 || groupNumber > group.count) return 0;
  if (group.set) {
    if (outputMode == kOutputToFile) {
      writeToFile(*group.set, targetPath);
    } else {
      putOnClipboard(*group.set);
    }
  }
  return group.count;
}

}  // namespace icons
