#pragma once
// How a window looks, derived from its settings: frame, title bar, owner, place, icons.

#include <optional>
#include <string>

#include "app/settings.h"
#include "icons/icon_image.h"

namespace app {

// The border setting's values, in their order.
enum class Frame {
  None,
  Sizable,
  Dialog,
  SizableToolTitle,
  FixedToolTitle,
  SizableSunken,
  FixedSunken,
};

enum class StartState { Normal, Minimized, Maximized };

struct ScreenSize {
  int width = 0;
  int height = 0;
};

struct WindowAppearance {
  Frame frame = Frame::None;
  bool titleBar = false;
  bool controlBox = false;  // system menu with the close button; only with a title bar
  bool minimizeButton = false;
  bool maximizeButton = false;
  bool owned = false;  // no taskbar button: owned by the hidden tool window
  bool topmost = false;
  bool movable = true;
  StartState start = StartState::Normal;
  int left = 0;  // outer rectangle on the screen
  int top = 0;
  int width = 0;
  int height = 0;
  Colour background = kNoColour;
  std::string title;
  std::optional<icons::IconImage> largeIcon;
  std::optional<icons::IconImage> smallIcon;
};

// Large and small window icons are taken at these sizes from the icon setting.
inline constexpr int kLargeIconSide = 32;
inline constexpr int kSmallIconSide = 16;

WindowAppearance appearanceOf(const Settings& window, ScreenSize screen);

}  // namespace app
