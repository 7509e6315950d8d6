#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"

namespace platform {

bool putBitmapOnClipboard(const Bytes& packedBitmap) {
  if (packedBitmap.empty() || !::OpenClipboard(nullptr)) return false;
  bool placed = false;
  if (::EmptyClipboard()) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, packedBitmap.size());
    if (memory) {
      if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, packedBitmap.data(), packedBitmap.size());
        ::GlobalUnlock(memory);
        // On success the clipboard owns the memory.
        placed = ::SetClipboardData(CF_DIB, memory) != nullptr;
      }
      if (!placed) ::GlobalFree(memory);
    }
  }
  ::CloseClipboard();
  return placed;
}

}  // namespace platform
