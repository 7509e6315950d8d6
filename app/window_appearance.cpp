#include "app/window_appearance.h"

#include "app/icon_choice.h"

namespace app {
namespace {

bool isSizable(Frame frame) {
  return frame == Frame::Sizable || frame == Frame::SizableToolTitle ||
         frame == Frame::SizableSunken;
}

}  // namespace

WindowAppearance appearanceOf(const Settings& window, ScreenSize screen) {
  using namespace window_setting;
  WindowAppearance look;
  look.frame = static_cast<Frame>(integerOf(window[kBorder]));
  look.title = textOf(window[kTitle]);
  const bool controlBox = booleanOf(window[kControlBox]);
  look.titleBar = look.frame != Frame::None && (!look.title.empty() || controlBox);
  look.controlBox = look.titleBar && controlBox;
  look.minimizeButton = look.controlBox && booleanOf(window[kMinimizeButton]);
  look.maximizeButton = look.controlBox && booleanOf(window[kMaximizeButton]);
  look.owned = !booleanOf(window[kShownInTaskbar]);
  look.topmost = booleanOf(window[kAlwaysOnTop]);
  look.movable = booleanOf(window[kMovable]);
  look.background = colourOf(window[kBackgroundColour]);

  look.width = integerOf(window[common::kWidth]);
  look.height = integerOf(window[common::kHeight]);
  look.left = integerOf(window[common::kLeft]);
  look.top = integerOf(window[common::kTop]);
  switch (integerOf(window[kStartPosition])) {
    case 1:  // centred on the primary screen; C++ division truncates toward zero
      look.left = (screen.width - look.width) / 2;
      look.top = (screen.height - look.height) / 2;
      break;
    case 2:
      look.start = StartState::Minimized;
      break;
    case 3:
      if (isSizable(look.frame)) look.start = StartState::Maximized;
      break;
    default:
      break;
  }

  const platform::Bytes& icon = bytesOf(window[kIcon]);
  look.largeIcon = chooseWindowIconImage(icon, kLargeIconSide);
  look.smallIcon = chooseWindowIconImage(icon, kSmallIconSide);
  return look;
}

}  // namespace app
