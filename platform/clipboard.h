#pragma once
// The system clipboard, for the icon extractor's clipboard output only.

#include "platform/bytes.h"

namespace platform {

// Puts a packed device-independent bitmap (header, colour table, bits) on the clipboard as
// CF_DIB. True when it is there; platforms without a clipboard do nothing and return false.
bool putBitmapOnClipboard(const Bytes& packedBitmap);

}  // namespace platform
