// A memory request that cannot be met ends the program with the fatal error report, naming
// the byte count. Linked into the program only: the allocation functions of the whole process
// are replaced here.

#include <cstdlib>
#include <new>

#include "app/fatal_error.h"

namespace {

// Building the report needs a little memory itself; if even that fails, end without it.
bool reporting = false;

[[noreturn]] void reportOutOfMemory(std::size_t size) {
  if (reporting) std::_Exit(app::kFatalExitStatus);
  reporting = true;
  app::reportFatalError(0, app::outOfMemoryMessage(size));
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  reportOutOfMemory(size);
}

void* operator new[](std::size_t size) { return operator new(size); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
