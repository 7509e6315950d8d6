#pragma once
// Text in the system's ANSI code page (GBK on the target systems): every scan that must not
// split a double-byte character goes through these helpers.

#include <cstddef>
#include <string_view>

namespace platform {

// True when the byte begins a double-byte character of the ANSI code page
// (GBK: 0x81 to 0xFE; on Windows the platform's own table).
bool isLeadByte(unsigned char byte);

// Index of the character after the one at i: i + 2 for a lead byte followed by another byte,
// otherwise i + 1. Never beyond text.size().
std::size_t nextCharacter(std::string_view text, std::size_t i);

// Index of the last occurrence of a single-byte character, skipping the second bytes of
// double-byte characters; npos when there is none.
std::size_t findLastCharacter(std::string_view text, char wanted);

// Equality ignoring letter case: ASCII letters fold to one case, double-byte characters are
// compared after the platform's upper-case mapping (none where the platform has none);
// everything else byte for byte.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace platform
