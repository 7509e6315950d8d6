// Double-byte handling from the system's own tables for its ANSI code page.
#include <windows.h>

#include "platform/code_page.h"
#include "platform/code_page_folding.h"

namespace platform {

bool isLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

std::string upperDoubleByte(std::string_view character) {
  std::string upper(character);
  ::CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

}  // namespace platform
