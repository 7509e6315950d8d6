#pragma once
// The fatal error report: when an internal check fails the system shows a message box and
// ends with exit status -1.

#include <cstddef>
#include <string>
#include <string_view>

namespace app {

inline constexpr int kFatalExitStatus = -1;

// "运行时出错!" and two line breaks; then, for an error number other than 0, "错误代码：", the
// number and two line breaks; then, for a message, "错误信息：", the message and one line break.
std::string fatalErrorText(int errorNumber, std::string_view message);

// "分配 %d 字节内存失败!" with the byte count in place of %d.
std::string outOfMemoryMessage(std::size_t byteCount);

// Shows the report's text to the user and returns when the user has closed it. The program
// installs its message box; without one nothing is shown.
using FatalErrorPresenter = void (*)(const std::string& text);
FatalErrorPresenter setFatalErrorPresenter(FatalErrorPresenter presenter);

// Shows the report and ends the process with kFatalExitStatus.
[[noreturn]] void reportFatalError(int errorNumber, std::string_view message);

}  // namespace app
