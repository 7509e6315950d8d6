#include "icons/replace_file.h"

#include "platform/env.h"
#include "platform/file_bytes.h"

namespace icons {

bool replaceFileWith(const std::string& path, const platform::Bytes& bytes) {
  // Beside the target, so that the move stays on one volume and is a rename, not a copy.
  const std::string temporary = path + ".~tmp";
  platform::Env& env = platform::env();
  if (platform::writeFileBytes(temporary, bytes) &&
      env.renameFile(temporary, path) == platform::ErrorKind::None)
    return true;
  env.removeFile(temporary);
  return false;
}

}  // namespace icons
