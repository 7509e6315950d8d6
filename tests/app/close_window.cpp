// close_window CLASS: asks the visible top-level window of that window class to close, as
// Windows does at a user's request (WM_CLOSE), and waits until it is gone. Exit status 0 when
// the window closed within five seconds, 1 when none was found, 2 when it stayed.

#include <windows.h>

#include <cstdio>

namespace {

struct Search {
  const char* className;
  HWND found;
};

BOOL CALLBACK findVisible(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (::IsWindowVisible(window) && lstrcmpA(name, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: close_window CLASS\n", stderr);
    return 2;
  }
  Search search{argv[1], nullptr};
  ::EnumWindows(&findVisible, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return 1;
  ::PostMessageA(search.found, WM_CLOSE, 0, 0);
  for (int i = 0; i < 500 && ::IsWindow(search.found); ++i) ::Sleep(10);
  return ::IsWindow(search.found) ? 2 : 0;
}
