#pragma once
// The two windows of the panel, declared as data: every setting of each window and control as
// it is when the window is loaded, the controls' stored names, and which of their events have
// handlers.

#include <string>
#include <vector>

#include "app/settings.h"

namespace app {

enum class EventKind {
  Created,           // a window: once, after it and its controls exist, before its first show
  TrayNotification,  // a window: a click on its notification-area icon, argument 1, 2 or 3
  GotFiles,          // a drop receiver: the dropped paths as one text
  Periodic,          // a timer: every expiry
};

struct ObjectDefinition {
  std::string name;  // the stored name, in the ANSI code page; empty for a window
  ObjectKind kind = ObjectKind::Window;
  Settings settings;
  std::vector<EventKind> boundEvents;

  bool binds(EventKind event) const;
};

struct WindowDefinition {
  ObjectDefinition window;
  std::vector<ObjectDefinition> controls;  // in creation order
};

// Started first and destroyed inside its own created handler, so never shown.
const WindowDefinition& startupWindowDefinition();

// The panel: a frameless orange-brown rectangle without a taskbar button, holding the hidden
// tile template, the drop receiver and the auto-hide timer.
const WindowDefinition& panelWindowDefinition();

// The panel's background colour, shared by the window and its tiles.
inline constexpr Colour kPanelColour = rgb(192, 96, 0);

}  // namespace app
