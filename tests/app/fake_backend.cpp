#include "tests/app/fake_backend.h"

#include <algorithm>

namespace app_test {

using app::NativeWindow;

NativeWindow FakeBackend::add(Window window) {
  const NativeWindow handle = next_++;
  windows.emplace(handle, std::move(window));
  return handle;
}

NativeWindow FakeBackend::createOwnerWindow() {
  const NativeWindow owner = add(Window{});
  log.push_back("createOwnerWindow " + std::to_string(owner));
  return owner;
}

NativeWindow FakeBackend::createWindow(const app::WindowAppearance& look, NativeWindow owner) {
  if (refuseWindows) return 0;
  Window window;
  window.owner = owner;
  window.look = look;
  window.left = look.left;
  window.top = look.top;
  window.width = look.width;
  window.height = look.height;
  const NativeWindow handle = add(std::move(window));
  log.push_back("createWindow " + std::to_string(handle) + " " + std::to_string(look.width) + "x" +
                std::to_string(look.height));
  return handle;
}

NativeWindow FakeBackend::createLabel(NativeWindow parent, const app::LabelAppearance& look,
                                      NativeWindow behind) {
  ++labelsCreated_;
  if (std::count(failingLabels.begin(), failingLabels.end(), labelsCreated_)) {
    log.push_back("createLabel failed");
    return 0;
  }
  Window label;
  label.parent = parent;
  label.label = true;
  label.visible = look.visible;
  label.left = look.left;
  label.top = look.top;
  label.width = look.width;
  label.height = look.height;
  label.picture = look.picture;
  label.pictureMode = look.pictureMode;
  const NativeWindow handle = add(std::move(label));
  auto& order = stacking[parent];
  auto place = std::find(order.begin(), order.end(), behind);
  order.insert(place == order.end() ? order.begin() : place + 1, handle);
  log.push_back("createLabel " + std::to_string(handle));
  return handle;
}

void FakeBackend::destroyWindow(NativeWindow handle) {
  Window& window = windows.at(handle);
  if (!window.alive) return;
  window.alive = false;
  window.visible = false;
  log.push_back("destroy " + std::to_string(handle));
  if (window.label) {
    auto& order = stacking[window.parent];
    order.erase(std::find(order.begin(), order.end(), handle));
    return;
  }
  if (events_) events_->windowDestroyed(handle);
  for (NativeWindow label : stacking[handle]) windows.at(label).alive = false;
  stacking.erase(handle);
  std::erase_if(timers, [handle](const auto& timer) { return timer.first.first == handle; });
}

void FakeBackend::setVisible(NativeWindow handle, bool visible) {
  Window& window = windows.at(handle);
  window.visible = visible;
  if (visible) ++window.showCount;
  log.push_back((visible ? "show " : "hide ") + std::to_string(handle));
}

void FakeBackend::moveWindow(NativeWindow handle, int left, int top) {
  windows.at(handle).left = left;
  windows.at(handle).top = top;
  log.push_back("move " + std::to_string(handle));
}

void FakeBackend::resizeWindow(NativeWindow handle, int width, int height) {
  windows.at(handle).width = width;
  windows.at(handle).height = height;
  log.push_back("resize " + std::to_string(handle) + " " + std::to_string(width) + "x" +
                std::to_string(height));
}

void FakeBackend::setLabelPicture(NativeWindow label, const platform::Bytes& picture) {
  windows.at(label).picture = picture;
  log.push_back("picture " + std::to_string(label));
}

void FakeBackend::setLabelPictureMode(NativeWindow label, int mode) {
  windows.at(label).pictureMode = mode;
  log.push_back("pictureMode " + std::to_string(label));
}

void FakeBackend::startTimer(NativeWindow window, int timerId, std::uint32_t milliseconds) {
  timers[{window, timerId}] = Timer{milliseconds, now + milliseconds};
  log.push_back("startTimer " + std::to_string(milliseconds));
}

void FakeBackend::stopTimer(NativeWindow window, int timerId) {
  timers.erase({window, timerId});
  log.push_back("stopTimer");
}

app::NativeIcon FakeBackend::createIcon(const platform::Bytes& image, int width, int height) {
  if (image.empty()) return 0;
  iconSizes.emplace_back(width, height);
  ++liveIcons;
  return nextIcon_++;
}

void FakeBackend::destroyIcon(app::NativeIcon) { --liveIcons; }

bool FakeBackend::notifyTray(app::TrayAction action, const app::TrayRecord& record) {
  trayCalls.emplace_back(action, record);
  static const char* const names[] = {"Add", "Modify", "Delete"};
  log.push_back(std::string("tray ") + names[static_cast<int>(action)]);
  return true;
}

bool FakeBackend::registerDropTarget(NativeWindow window) {
  log.push_back("registerDropTarget " + std::to_string(window));
  return true;
}

void FakeBackend::runMessageLoop() {
  log.push_back("loop");
  quitRequested = false;
  if (loopScript) loopScript(*this);
}

void FakeBackend::quitMessageLoop() {
  quitRequested = true;
  log.push_back("quit");
}

void FakeBackend::advance(std::uint64_t milliseconds) {
  const std::uint64_t end = now + milliseconds;
  for (;;) {
    auto next = std::min_element(timers.begin(), timers.end(), [](const auto& a, const auto& b) {
      return a.second.due < b.second.due;
    });
    if (next == timers.end() || next->second.due > end) break;
    now = next->second.due;
    next->second.due += next->second.period;
    const auto [window, id] = next->first;
    if (events_) events_->timerExpired(window, id);
  }
  now = end;
}

void FakeBackend::trayMouse(NativeWindow window, std::uint32_t mouseMessage) {
  if (events_) events_->trayNotified(window, mouseMessage);
}

void FakeBackend::close(NativeWindow window) { destroyWindow(window); }

int FakeBackend::liveLabelCount(NativeWindow window) const {
  auto order = stacking.find(window);
  return order == stacking.end() ? 0 : static_cast<int>(order->second.size());
}

std::vector<std::string> FakeBackend::logged(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (const std::string& line : log) {
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  }
  return lines;
}

int FakeBackend::indexOf(const std::string& prefix) const {
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace app_test
