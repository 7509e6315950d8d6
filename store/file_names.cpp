#include "store/file_names.h"

#include "platform/code_page.h"

namespace store {

namespace {

// Where the last component begins: after the last backslash (or slash, which Windows takes
// as a separator too).
std::size_t componentStart(std::string_view path) {
  std::size_t start = 0;
  for (char separator : {'\\', '/'}) {
    std::size_t found = platform::findLastCharacter(path, separator);
    if (found != std::string_view::npos && found + 1 > start) start = found + 1;
  }
  return start;
}

// The index of the dot that begins the extension of the last component, or npos.
std::size_t extensionDot(std::string_view path) {
  std::size_t start = componentStart(path);
  std::size_t dot = platform::findLastCharacter(path.substr(start), '.');
  return dot == std::string_view::npos ? dot : start + dot;
}

std::string withoutExtension(std::string_view path) {
  return std::string(path.substr(0, extensionDot(path)));
}

bool isAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool within(unsigned char c, unsigned char low, unsigned char high) { return c >= low && c <= high; }

bool isFullWidthDigit(unsigned char lead, unsigned char trail) {
  return lead == 0xA3 && within(trail, 0xB0, 0xB9);
}

bool isAllowedDoubleByte(unsigned char lead, unsigned char trail) {
  if (within(lead, 0x81, 0xA0) || lead >= 0xAA) return true;  // the ideograph ranges
  if (lead == 0xA3)  // full-width digits and letters
    return within(trail, 0xB0, 0xB9) || within(trail, 0xC1, 0xDA) || within(trail, 0xE1, 0xFA);
  if (lead == 0xA4) return within(trail, 0xA1, 0xF3);  // hiragana
  if (lead == 0xA5) return within(trail, 0xA1, 0xF6);  // katakana
  return lead == 0xA9 && trail == 0x60;
}

}  // namespace

std::string withDefaultExtension(std::string_view fileName) {
  std::string name(fileName);
  std::size_t dot = extensionDot(fileName);
  if (dot == std::string_view::npos) return name + ".QDB";
  if (dot + 1 == name.size()) return name + "QDB";
  return name;
}

std::string bareNameOf(std::string_view fullPath) {
  return withoutExtension(fullPath.substr(componentStart(fullPath)));
}

std::string auxiliaryNameOf(std::string_view fullPath) { return withoutExtension(fullPath) + ".QDT"; }

bool isValidAlias(std::string_view alias) {
  for (std::size_t i = 0; i < alias.size();) {
    std::size_t next = platform::nextCharacter(alias, i);
    auto lead = static_cast<unsigned char>(alias[i]);
    if (next - i == 2) {
      auto trail = static_cast<unsigned char>(alias[i + 1]);
      if (!isAllowedDoubleByte(lead, trail) || (i == 0 && isFullWidthDigit(lead, trail)))
        return false;
    } else if (!(isAsciiLetter(lead) || lead == '_' || (i > 0 && isAsciiDigit(lead)))) {
      return false;
    }
    i = next;
  }
  return true;
}

}  // namespace store
