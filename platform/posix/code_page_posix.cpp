// The ANSI code page of the target systems is GBK; here it is fixed rather than read from
// the system, so that the portable core behaves natively as it does on those systems.
#include "platform/code_page.h"
#include "platform/code_page_folding.h"

namespace platform {

bool isLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// GBK has full-width letters, but the store's own names need only ASCII case pairs; without
// the platform's table a double-byte character compares byte for byte.
std::string upperDoubleByte(std::string_view character) { return std::string(character); }

}  // namespace platform
