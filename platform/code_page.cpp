#include "platform/code_page.h"

#include "platform/code_page_folding.h"

namespace platform {

std::size_t nextCharacter(std::string_view text, std::size_t i) {
  if (i >= text.size()) return text.size();
  if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) return i + 2;
  return i + 1;
}

std::size_t findLastCharacter(std::string_view text, char wanted) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); i = nextCharacter(text, i))
    if (text[i] == wanted) found = i;
  return found;
}

namespace {
unsigned char foldAscii(unsigned char byte) {
  return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}
}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  while (i < a.size()) {
    std::size_t next = nextCharacter(a, i);
    if (nextCharacter(b, i) != next) return false;
    if (next - i == 2) {
      if (upperDoubleByte(a.substr(i, 2)) != upperDoubleByte(b.substr(i, 2))) return false;
    } else if (foldAscii(static_cast<unsigned char>(a[i])) !=
               foldAscii(static_cast<unsigned char>(b[i]))) {
      return false;
    }
    i = next;
  }
  return true;
}

}  // namespace platform
