#include "app/drop/split_text.h"

#include "platform/code_page.h"

namespace app::drop {

std::vector<std::string_view> splitText(std::string_view text, char delimiter) {
  std::vector<std::string_view> pieces;
  std::size_t pieceStart = 0;
  for (std::size_t i = 0; i < text.size(); i = platform::nextCharacter(text, i)) {
    if (text[i] != delimiter) continue;
    pieces.push_back(text.substr(pieceStart, i - pieceStart));
    pieceStart = i + 1;
  }
  if (pieceStart < text.size()) pieces.push_back(text.substr(pieceStart));
  return pieces;
}

}  // namespace app::drop
