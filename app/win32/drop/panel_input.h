#pragma once
// How the panel answers presses and keys: a left press on the panel or on any of its tiles
// moves the panel as a press on a title bar would (the panel has none, and a tile receives no
// click); Esc closes the panel; Enter and F1 do nothing.

#include <cstdint>

namespace app::win32 {

enum class PanelInput {
  None,         // not the panel's concern: the message goes on to the default handling
  CaptionDrag,  // a left press: the platform's window-moving loop
  Close,        // Esc: the panel is asked to close
  Ignored,      // Enter, F1 and the help request: swallowed
};

// What a message that reached the panel, or one of its tiles, asks of the panel.
PanelInput panelInputOf(unsigned message, std::uintptr_t wParam);

// Called by the window procedures of the panel and of its tiles with each message. Posts
// WM_NCLBUTTONDOWN with HTCAPTION, or WM_CLOSE, to `panel` (an HWND) as the message asks.
// True when the message has been handled and must not reach the default window procedure.
bool handlePanelInput(std::uintptr_t panel, unsigned message, std::uintptr_t wParam);

}  // namespace app::win32
