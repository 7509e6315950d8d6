#pragma once
// The Windows user interface behind the windowing layer: top-level windows made from their
// settings, the label window that paints a tile's picture, window timers, the
// notification-area icon, the message loop, and the fatal error report's message box.
// This header does not include <windows.h>; win32_backend.cpp is the only UI file that does.

#include <memory>
#include <string>

#include "app/backend.h"

namespace app::win32 {

std::unique_ptr<Backend> createBackend();

// The full path of the running program file, in the ANSI code page.
std::string programPath();

// The fatal error report's box: title "错误", the error icon, one OK button, no owner window.
// Returns when the user has closed it.
void showFatalErrorBox(const std::string& text);

// The shell call that adds, modifies and deletes notification-area icons
// (Shell_NotifyIconA: message NIM_ADD, NIM_MODIFY or NIM_DELETE, and the record). Tests put
// a recorder in its place to read the records; returns the previous function.
using ShellNotifyFunction = int(__stdcall*)(unsigned long message, void* record);
ShellNotifyFunction setShellNotifyFunction(ShellNotifyFunction function);

}  // namespace app::win32
