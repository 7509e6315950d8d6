#pragma once
// A recording stand-in for the platform's user interface: it keeps windows, labels, timers
// and the notification-area icon as plain data, logs every call in order, and plays the
// message loop from a script with a clock of its own.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/backend.h"

namespace app_test {

class FakeBackend final : public app::Backend {
 public:
  struct Window {
    app::NativeWindow parent = 0;  // labels: their window
    app::NativeWindow owner = 0;   // top-level windows
    bool label = false;
    bool alive = true;
    bool visible = false;
    int showCount = 0;
    int left = 0, top = 0, width = 0, height = 0;
    app::WindowAppearance look;  // top-level windows
    platform::Bytes picture;     // labels
    int pictureMode = 0;
  };
  struct Timer {
    std::uint32_t period = 0;
    std::uint64_t due = 0;
  };

  // Every call, in order, as a short line: "createWindow 372x250", "show 2", "tray Add" ...
  std::vector<std::string> log;
  std::map<app::NativeWindow, Window> windows;
  // Live labels of each window, front to back.
  std::map<app::NativeWindow, std::vector<app::NativeWindow>> stacking;
  std::map<std::pair<app::NativeWindow, int>, Timer> timers;
  std::vector<std::pair<app::TrayAction, app::TrayRecord>> trayCalls;
  std::vector<std::pair<int, int>> iconSizes;  // of every createIcon
  int liveIcons = 0;
  std::uint64_t now = 0;  // milliseconds
  app::ScreenSize screen{1920, 1080};
  bool quitRequested = false;
  // Played by runMessageLoop, as the events that the loop would dispatch.
  std::function<void(FakeBackend&)> loopScript;
  // createLabel fails for the labels with these creation numbers (1 for the first).
  std::vector<int> failingLabels;
  // createWindow makes no top-level window.
  bool refuseWindows = false;

  // Fires every timer that falls due within the next `milliseconds`, in time order.
  void advance(std::uint64_t milliseconds);
  // A mouse message arriving at the panel's notification-area icon.
  void trayMouse(app::NativeWindow window, std::uint32_t mouseMessage);
  // The system closes the window (Esc, shutdown).
  void close(app::NativeWindow window);

  int liveLabelCount(app::NativeWindow window) const;
  const Window& window(app::NativeWindow handle) const { return windows.at(handle); }
  // Log lines that begin with `prefix`.
  std::vector<std::string> logged(const std::string& prefix) const;
  // Position of the first log line that begins with `prefix`; -1 when there is none.
  int indexOf(const std::string& prefix) const;

  void setEvents(app::BackendEvents* events) override { events_ = events; }
  void initializeOle() override { log.push_back("initializeOle"); }
  void setWorkingDirectory(const std::string& path) override { log.push_back("cd " + path); }
  app::ScreenSize screenSize() override { return screen; }
  app::NativeWindow createOwnerWindow() override;
  app::NativeWindow createWindow(const app::WindowAppearance& look,
                                 app::NativeWindow owner) override;
  app::NativeWindow createLabel(app::NativeWindow parent, const app::LabelAppearance& look,
                                app::NativeWindow behind) override;
  void destroyWindow(app::NativeWindow window) override;
  void setVisible(app::NativeWindow window, bool visible) override;
  void moveWindow(app::NativeWindow window, int left, int top) override;
  void resizeWindow(app::NativeWindow window, int width, int height) override;
  void setLabelPicture(app::NativeWindow label, const platform::Bytes& picture) override;
  void setLabelPictureMode(app::NativeWindow label, int mode) override;
  void startTimer(app::NativeWindow window, int timerId, std::uint32_t milliseconds) override;
  void stopTimer(app::NativeWindow window, int timerId) override;
  app::NativeIcon createIcon(const platform::Bytes& image, int width, int height) override;
  void destroyIcon(app::NativeIcon icon) override;
  bool notifyTray(app::TrayAction action, const app::TrayRecord& record) override;
  bool registerDropTarget(app::NativeWindow window) override;
  void runMessageLoop() override;
  void quitMessageLoop() override;

 private:
  app::NativeWindow add(Window window);

  app::BackendEvents* events_ = nullptr;
  app::NativeWindow next_ = 1;
  app::NativeIcon nextIcon_ = 1;
  int labelsCreated_ = 0;
};

}  // namespace app_test
