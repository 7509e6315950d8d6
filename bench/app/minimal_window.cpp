// The peer of the panel's start-up benchmark: a Windows program that only opens one window of
// the panel's size, centred, and waits until it is closed.

#include <windows.h>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "MinimalWindow";
  ::RegisterClassA(&windowClass);
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - 372) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - 250) / 2;
  HWND window = ::CreateWindowExA(0, "MinimalWindow", "", WS_POPUP, left, top, 372, 250, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
  ::ShowWindow(window, SW_SHOW);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
