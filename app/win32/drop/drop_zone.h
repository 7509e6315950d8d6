#pragma once
// The panel's drop receiver on a native window: files and text dragged onto the window (any
// of its labels included) from other programs reach the handlers.
//
// Needs the OLE layer initialised on the calling thread; every handler runs on that thread,
// from inside its message loop.

#include <cstdint>
#include <functional>
#include <string>

namespace app::win32 {

struct DropZoneHandlers {
  // Raised with the plain text of a drop that offers text; may be left empty (no handler).
  std::function<void(const std::string& text)> gotText;
  // Raised once per drop that carries files: one path exactly, or several each followed by a
  // carriage return and a line feed.
  std::function<void(const std::string& paths)> gotFiles;
};

// Makes a drop receiver with these handlers the drop target of `window` (an HWND). False when
// the platform refuses it, for example because the window already has one. The platform keeps
// the receiver until revokeFileDropZone or the end of the process.
bool registerFileDropZone(std::uintptr_t window, DropZoneHandlers handlers);

// Removes the window's drop receiver; called when the window is being destroyed.
void revokeFileDropZone(std::uintptr_t window);

}  // namespace app::win32
