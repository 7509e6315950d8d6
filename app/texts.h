#pragma once
// The panel's own texts, as GBK bytes (the ANSI code page of the target systems). Each literal
// has its characters in the comment beside it.

#include <string_view>

namespace app::texts {

// Stored names of the panel's controls.
inline constexpr std::string_view kTileTemplateName =
    "\xB1\xEA\xC7\xA9"
    "1";  // 标签1
inline constexpr std::string_view kFileDropZoneName =
    "\xCD\xCF\xB7\xC5\xB6\xD4\xCF\xF3"
    "1";  // 拖放对象1
inline constexpr std::string_view kAutoHideTimerName =
    "\xCA\xB1\xD6\xD3"
    "1";  // 时钟1

// A new label's caption.
inline constexpr std::string_view kLabelCaption = "\xB1\xEA\xC7\xA9";  // 标签

// The tooltip of the notification-area icon.
inline constexpr std::string_view kTrayTip = "\xB5\xE3\xCE\xD2\xD1\xBD";  // 点我呀

// The fatal error report.
inline constexpr std::string_view kFatalTitle = "\xB4\xED\xCE\xF3";  // 错误
inline constexpr std::string_view kFatalHeading =
    "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!";  // 运行时出错!
inline constexpr std::string_view kFatalNumberLabel =
    "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";  // 错误代码：
inline constexpr std::string_view kFatalMessageLabel =
    "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";  // 错误信息：

// Messages of the internal checks.
inline constexpr std::string_view kTypeMismatch =
    "\xCA\xFD\xBE\xDD\xBB\xF2\xCA\xFD\xD7\xE9\xC0\xE0\xD0\xCD\xB2\xBB\xC6\xA5\xC5\xE4";  // 数据或数组类型不匹配
inline constexpr std::string_view kStartupWindowNotLoaded =
    "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC";  // 载入启动窗口失败
inline constexpr std::string_view kWindowNotLoaded =
    "\xCE\xB4\xD4\xD8\xC8\xEB\xD3\xFB\xB7\xC3\xCE\xCA\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCB\xF9"
    "\xD4\xDA\xB5\xC4\xB4\xB0\xBF\xDA";  // 未载入欲访问窗口组件所在的窗口
// "分配 %d 字节内存失败!" with the byte count in place of %d.
inline constexpr std::string_view kOutOfMemoryBefore = "\xB7\xD6\xC5\xE4 ";  // 分配
inline constexpr std::string_view kOutOfMemoryAfter =
    " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";  // 字节内存失败!

// The error number of a value of the wrong type.
inline constexpr int kTypeMismatchNumber = 5;

}  // namespace app::texts
