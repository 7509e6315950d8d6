#include "platform/clipboard.h"

namespace platform {

// There is no system clipboard for a console program here.
bool putBitmapOnClipboard(const Bytes&) { return false; }

}  // namespace platform
