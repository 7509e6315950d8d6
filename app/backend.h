#pragma once
// What the windowing layer asks of the platform's user interface: windows made from their
// settings, labels that paint a picture, window timers, the notification-area icon and the
// message loop. app/win32/ implements it with the Windows API; the tests use a recording fake.
//
// Every call is made on the one user-interface thread. The platform reports what happens
// to its windows through BackendEvents, from inside its message loop.

#include <array>
#include <cstdint>
#include <string>

#include "app/settings.h"
#include "app/window_appearance.h"
#include "platform/bytes.h"

namespace app {

// Opaque handles of the platform: a window (or label) and an icon. 0 is none.
using NativeWindow = std::uintptr_t;
using NativeIcon = std::uintptr_t;

struct LabelAppearance {
  int left = 0;  // within the client area of its window
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = false;
  Colour background = kNoColour;
  platform::Bytes picture;
  int pictureMode = 0;
};

// The notification-area icon as the shell's version-1 record holds it; the callback message,
// the identifier and the flags are the panel's constants (tray_icon.h).
struct TrayRecord {
  NativeWindow window = 0;
  NativeIcon icon = 0;
  std::array<char, 64> tip{};  // zero-filled, at most 62 bytes of text
};

enum class TrayAction { Add, Modify, Delete };

class BackendEvents {
 public:
  // The panel's callback message arrived for the notification-area icon of `window`.
  virtual void trayNotified(NativeWindow window, std::uint32_t mouseMessage) = 0;
  virtual void timerExpired(NativeWindow window, int timerId) = 0;
  // The window is being destroyed, by the program or by the system (closing, shutdown).
  virtual void windowDestroyed(NativeWindow window) = 0;
  // Files were dropped onto the window: their paths as one text.
  virtual void filesDropped(NativeWindow window, const std::string& paths) = 0;

 protected:
  ~BackendEvents() = default;
};

class Backend {
 public:
  virtual ~Backend() = default;

  virtual void setEvents(BackendEvents* events) = 0;

  // Start of the process: the OLE layer of the user-interface thread (drag and drop needs
  // it), the working directory, and the hidden tool window that owns every window without a
  // taskbar button.
  virtual void initializeOle() = 0;
  virtual void setWorkingDirectory(const std::string& path) = 0;
  virtual ScreenSize screenSize() = 0;
  virtual NativeWindow createOwnerWindow() = 0;

  // A top-level window, created hidden; 0 on failure. `owner` is 0 or the tool window.
  virtual NativeWindow createWindow(const WindowAppearance& look, NativeWindow owner) = 0;
  // A label on `parent`, placed in the stacking order directly behind `behind` (0: in front
  // of every sibling); 0 on failure.
  virtual NativeWindow createLabel(NativeWindow parent, const LabelAppearance& look,
                                   NativeWindow behind) = 0;
  virtual void destroyWindow(NativeWindow window) = 0;
  // Shows a window in its current place and size and activates it (a normal show), or hides.
  virtual void setVisible(NativeWindow window, bool visible) = 0;
  // Each keeps what it does not name: a move keeps the size, a resize the place.
  virtual void moveWindow(NativeWindow window, int left, int top) = 0;
  virtual void resizeWindow(NativeWindow window, int width, int height) = 0;
  // A label keeps its own copy of the bytes, decodes them at its next paint, and repaints.
  virtual void setLabelPicture(NativeWindow label, const platform::Bytes& picture) = 0;
  virtual void setLabelPictureMode(NativeWindow label, int mode) = 0;

  // A repeating timer of `window`; the first expiry comes one period after the start.
  virtual void startTimer(NativeWindow window, int timerId, std::uint32_t milliseconds) = 0;
  virtual void stopTimer(NativeWindow window, int timerId) = 0;

  // An icon made from one icon image at the given size; 0 when the platform makes none.
  virtual NativeIcon createIcon(const platform::Bytes& image, int width, int height) = 0;
  virtual void destroyIcon(NativeIcon icon) = 0;
  virtual bool notifyTray(TrayAction action, const TrayRecord& record) = 0;

  // Accepts dragged files on `window`. Only the first call may succeed.
  virtual bool registerDropTarget(NativeWindow window) = 0;

  // Dispatches messages until quitMessageLoop() is called.
  virtual void runMessageLoop() = 0;
  virtual void quitMessageLoop() = 0;
};

}  // namespace app
