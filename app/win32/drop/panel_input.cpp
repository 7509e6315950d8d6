#include "app/win32/drop/panel_input.h"

#include <windows.h>

namespace app::win32 {

PanelInput panelInputOf(unsigned message, std::uintptr_t wParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return PanelInput::CaptionDrag;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) return PanelInput::Close;
      if (wParam == VK_RETURN || wParam == VK_F1) return PanelInput::Ignored;
      return PanelInput::None;
    case WM_HELP:
      return PanelInput::Ignored;
    default:
      return PanelInput::None;
  }
}

bool handlePanelInput(std::uintptr_t panel, unsigned message, std::uintptr_t wParam) {
  const HWND window = reinterpret_cast<HWND>(panel);
  switch (panelInputOf(message, wParam)) {
    case PanelInput::CaptionDrag:
      // The moving loop starts from the place of the press, in screen coordinates.
      PostMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(GetMessagePos()));
      return true;
    case PanelInput::Close:
      PostMessageA(window, WM_CLOSE, 0, 0);
      return true;
    case PanelInput::Ignored:
      return true;
    case PanelInput::None:
      return false;
  }
  return false;
}

}  // namespace app::win32
