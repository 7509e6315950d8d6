#pragma once
// The windowing layer: loads windows from their definitions, keeps the list of loaded windows
// that keeps the message loop alive, reads and writes settings with their effects, copies
// labels, and hands the platform's events to the handlers that the definitions bind.
//
// Everything runs on the user-interface thread; events reach handlers only from inside the
// message loop (or, for the created event, inside the load), one at a time.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/backend.h"
#include "app/settings.h"
#include "app/window_definitions.h"

namespace app {

using WindowId = int;   // 0: none
using ControlId = int;  // 0: the window itself; its controls from 1

// A reference to a control on a window; both 0 in an empty reference.
struct ControlRef {
  WindowId window = 0;
  ControlId control = 0;
  bool empty() const { return window == 0 && control == 0; }
  friend bool operator==(const ControlRef&, const ControlRef&) = default;
};

// The code bound to the events of one window and its controls. Only the events that the
// window's definition binds are delivered.
class WindowHandlers {
 public:
  virtual void created(WindowId window) = 0;
  virtual void trayNotification(WindowId, int /*type*/) {}
  virtual void periodic(WindowId, ControlId /*timer*/) {}
  virtual void gotFiles(WindowId, ControlId /*dropZone*/, const std::string& /*paths*/) {}

 protected:
  ~WindowHandlers() = default;
};

class Windowing final : private BackendEvents {
 public:
  explicit Windowing(Backend& backend);
  ~Windowing();
  Windowing(const Windowing&) = delete;
  Windowing& operator=(const Windowing&) = delete;

  // Creates the hidden tool window that owns every window without a taskbar button. Called
  // once at start, before the first load.
  void createOwnerWindow();

  // Creates the window hidden with its controls and adds it to the loaded windows; runs its
  // created handler; then shows it if it is still alive and its visible setting is on.
  // 0 when the platform cannot create the window.
  WindowId loadWindow(const WindowDefinition& definition, WindowHandlers& handlers);

  // Destroys the window before returning; its notification-area icon is removed and its
  // timers stop.
  void destroyWindow(WindowId window);

  bool isLoaded(WindowId window) const;
  // A window stays loaded from its load until its window is destroyed.
  int loadedWindowCount() const;
  NativeWindow nativeWindow(WindowId window) const;
  NativeWindow nativeControl(WindowId window, ControlId control) const;
  // The control of a loaded window with this stored name; 0 when there is none.
  ControlId findControl(WindowId window, std::string_view storedName) const;
  // The window's controls, copies included, in creation order.
  std::vector<ControlId> controlsOf(WindowId window) const;

  // Reading or writing a setting of a window that is not loaded is a fatal error, as is a
  // value of the wrong type. Writes are limited to the setting's range and take effect at
  // once (the table of effects is in writeSetting).
  SettingValue readSetting(WindowId window, ControlId object, int number) const;
  void writeSetting(WindowId window, ControlId object, int number, SettingValue value);

  // Makes a new label with every setting of `source`, on the same window, directly behind
  // `source` in the stacking order, without event bindings, and stores its reference in
  // `element`. False, leaving `element` as it was, when the window is not loaded, `source`
  // is the window or no label of it, or the platform cannot make the label.
  bool copyControl(WindowId window, ControlId source, ControlRef& element);
  // Destroys a control made by copyControl.
  void destroyControl(const ControlRef& control);

  // Installs, replaces or (with bytes that give no icon) removes the window's icon in the
  // notification area.
  void installTrayIcon(WindowId window, const platform::Bytes& iconFile, std::string_view tip);

  // Registers the drop receiver on a window handle. Only the first call reaches the platform;
  // every later one returns false.
  bool registerDropZone(NativeWindow handle);

  // Dispatches events until no loaded window remains.
  void runMessageLoop();

 private:
  // A window or control as loaded: its definition with the settings as they stand now.
  struct Object {
    ObjectDefinition definition;
    NativeWindow native = 0;  // labels
    bool running = false;     // timers
  };
  struct Loaded {
    WindowId id = 0;
    WindowHandlers* handlers = nullptr;
    NativeWindow native = 0;              // live while the window is loaded
    std::map<ControlId, Object> objects;  // 0 is the window
    ControlId nextControl = 1;
    bool trayShown = false;
    NativeIcon trayIcon = 0;
  };

  void trayNotified(NativeWindow window, std::uint32_t mouseMessage) override;
  void timerExpired(NativeWindow window, int timerId) override;
  void windowDestroyed(NativeWindow window) override;
  void filesDropped(NativeWindow window, const std::string& paths) override;

  Loaded* find(WindowId window) const;
  Loaded* findNative(NativeWindow window) const;
  Loaded& loadedOrFatal(WindowId window) const;
  Object& objectOrFatal(Loaded& window, ControlId object) const;
  void applySetting(Loaded& window, ControlId id, Object& object, int number);
  void setTimerPeriod(Loaded& window, ControlId id, Object& timer, std::int32_t period);
  NativeIcon makeTrayIcon(const platform::Bytes& iconFile);
  void updateTrayIcon(Loaded& window, NativeIcon icon, std::string_view tip);

  Backend& backend_;
  NativeWindow owner_ = 0;
  std::vector<std::unique_ptr<Loaded>> loaded_;
  WindowId nextWindow_ = 1;
  bool loopRunning_ = false;
  bool dropZoneRequested_ = false;
};

}  // namespace app
