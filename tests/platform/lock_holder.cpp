// A second process for the lock tests: locks one byte of a file, says so by creating a
// marker file, and holds the lock until the marker is deleted (or 30 seconds pass).
#include <cstdlib>
#include <string>

#include "platform/env.h"
#include "platform/file_bytes.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  platform::Env& env = platform::defaultEnv();
  platform::OpenResult opened = env.open(argv[1], platform::Access::ReadWrite,
                                         platform::Sharing::DenyNone,
                                         platform::Disposition::OpenExisting);
  if (!opened.file) return 3;
  std::uint64_t offset = std::strtoull(argv[2], nullptr, 10);
  if (opened.file->lock(offset, 1) != platform::LockResult::Locked) return 4;
  if (!platform::writeFileBytes(argv[3], {'1'})) return 5;
  for (int waited = 0; waited < 30000 && env.exists(argv[3]); waited += 10)
    env.sleepMilliseconds(10);
  return 0;
}
