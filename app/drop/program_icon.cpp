#include "app/drop/program_icon.h"

#include "icons/byte_source.h"
#include "icons/extract_icon.h"
#include "icons/icon_file_reader.h"
#include "platform/env.h"
#include "platform/file_bytes.h"

namespace app::drop {
namespace {

bool holdsAnIcon(const platform::Bytes& bytes) {
  icons::MemoryByteSource source(bytes);
  const auto images = icons::readIconFile(source);
  return images && !images->images.empty();
}

}  // namespace

std::optional<platform::Bytes> extractProgramIcon(const std::string& program,
                                                  const std::string& scratchPath) {
  platform::Env& env = platform::env();
  // A file left under the scratch name by an interrupted drop must not pass for this one's.
  env.removeFile(scratchPath);
  if (env.exists(scratchPath)) return std::nullopt;

  const int groups = icons::extractIconToFile(program, scratchPath, 1, icons::kOutputToFile);
  platform::Bytes bytes = platform::readFileBytes(scratchPath);
  env.removeFile(scratchPath);
  if (groups <= 0 || !holdsAnIcon(bytes)) return std::nullopt;
  return bytes;
}

}  // namespace app::drop
