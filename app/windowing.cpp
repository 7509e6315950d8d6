#include "app/windowing.h"

#include <algorithm>

#include "app/fatal_error.h"
#include "app/icon_choice.h"
#include "app/texts.h"
#include "app/tray_icon.h"

namespace app {
namespace {

// The tray image is tried at these widths, in this order.
constexpr std::uint8_t kTrayWidths[] = {16, 32};

LabelAppearance labelAppearanceOf(const Settings& settings) {
  LabelAppearance look;
  look.left = integerOf(settings[common::kLeft]);
  look.top = integerOf(settings[common::kTop]);
  look.width = integerOf(settings[common::kWidth]);
  look.height = integerOf(settings[common::kHeight]);
  look.visible = booleanOf(settings[common::kVisible]);
  look.background = colourOf(settings[label_setting::kBackgroundColour]);
  look.picture = bytesOf(settings[label_setting::kPicture]);
  look.pictureMode = integerOf(settings[label_setting::kPictureMode]);
  return look;
}

}  // namespace

Windowing::Windowing(Backend& backend) : backend_(backend) { backend_.setEvents(this); }

Windowing::~Windowing() { backend_.setEvents(nullptr); }

void Windowing::createOwnerWindow() { owner_ = backend_.createOwnerWindow(); }

WindowId Windowing::loadWindow(const WindowDefinition& definition, WindowHandlers& handlers) {
  const Settings& settings = definition.window.settings;
  const WindowAppearance look = appearanceOf(settings, backend_.screenSize());
  const NativeWindow native = backend_.createWindow(look, look.owned ? owner_ : 0);
  if (native == 0) return 0;

  auto window = std::make_unique<Loaded>();
  window->id = nextWindow_++;
  window->handlers = &handlers;
  window->native = native;
  window->objects.emplace(0, Object{definition.window});
  for (const ObjectDefinition& control : definition.controls) {
    Object object{control};
    if (control.kind == ObjectKind::Label) {
      object.native = backend_.createLabel(native, labelAppearanceOf(control.settings), 0);
    }
    window->objects.emplace(window->nextControl++, std::move(object));
  }
  const WindowId id = window->id;
  loaded_.push_back(std::move(window));

  if (definition.window.binds(EventKind::Created)) handlers.created(id);

  // The handler may have destroyed the window, or hidden it.
  if (Loaded* still = find(id);
      still && booleanOf(still->objects.at(0).definition.settings[common::kVisible])) {
    backend_.setVisible(still->native, true);
  }
  return id;
}

void Windowing::destroyWindow(WindowId window) {
  Loaded* loaded = find(window);
  if (!loaded) return;
  // The platform reports the destruction through windowDestroyed before this returns.
  backend_.destroyWindow(loaded->native);
}

bool Windowing::isLoaded(WindowId window) const { return find(window) != nullptr; }

int Windowing::loadedWindowCount() const { return static_cast<int>(loaded_.size()); }

NativeWindow Windowing::nativeWindow(WindowId window) const {
  Loaded* loaded = find(window);
  return loaded ? loaded->native : 0;
}

NativeWindow Windowing::nativeControl(WindowId window, ControlId control) const {
  Loaded* loaded = find(window);
  if (!loaded) return 0;
  auto object = loaded->objects.find(control);
  return object == loaded->objects.end() ? 0 : object->second.native;
}

ControlId Windowing::findControl(WindowId window, std::string_view storedName) const {
  Loaded* loaded = find(window);
  if (!loaded) return 0;
  for (const auto& [id, object] : loaded->objects) {
    if (id != 0 && object.definition.name == storedName) return id;
  }
  return 0;
}

std::vector<ControlId> Windowing::controlsOf(WindowId window) const {
  std::vector<ControlId> controls;
  if (Loaded* loaded = find(window)) {
    for (const auto& entry : loaded->objects) {
      if (entry.first != 0) controls.push_back(entry.first);
    }
  }
  return controls;
}

SettingValue Windowing::readSetting(WindowId window, ControlId object, int number) const {
  Loaded& loaded = loadedOrFatal(window);
  const Settings& settings = objectOrFatal(loaded, object).definition.settings;
  if (number < 0 || number >= static_cast<int>(settings.size())) {
    reportFatalError(texts::kTypeMismatchNumber, texts::kTypeMismatch);
  }
  return settings[static_cast<std::size_t>(number)];
}

void Windowing::writeSetting(WindowId window, ControlId object, int number, SettingValue value) {
  Loaded& loaded = loadedOrFatal(window);
  Object& target = objectOrFatal(loaded, object);
  const ObjectKind kind = target.definition.kind;
  std::optional<SettingValue> limited = limitSetting(kind, number, std::move(value));
  if (!limited) reportFatalError(texts::kTypeMismatchNumber, texts::kTypeMismatch);
  if (kind == ObjectKind::Timer && number == timer_setting::kPeriod) {
    setTimerPeriod(loaded, object, target, integerOf(*limited));
    return;
  }
  SettingValue& stored = target.definition.settings[static_cast<std::size_t>(number)];
  // A label whose place, size, visibility or picture mode is written unchanged looks the
  // same: a rebuild that reuses its tiles then costs the platform nothing for them. Picture
  // bytes are always taken anew, and a window's show always activates it.
  const bool unchangedLook =
      kind == ObjectKind::Label && number != label_setting::kPicture && stored == *limited;
  stored = std::move(*limited);
  if (!unchangedLook) applySetting(loaded, object, target, number);
}

// The settings that change something at once; every other one is only stored.
void Windowing::applySetting(Loaded& window, ControlId id, Object& object, int number) {
  const Settings& settings = object.definition.settings;
  const NativeWindow native = id == 0 ? window.native : object.native;
  if (native == 0) return;
  const bool isWindow = object.definition.kind == ObjectKind::Window;
  // Timers and drop receivers are never visible: there is nothing to show of them.
  if (!isWindow && object.definition.kind != ObjectKind::Label) return;
  switch (number) {
    case common::kLeft:
    case common::kTop:
      backend_.moveWindow(native, integerOf(settings[common::kLeft]),
                          integerOf(settings[common::kTop]));
      break;
    case common::kWidth:
    case common::kHeight:
      backend_.resizeWindow(native, integerOf(settings[common::kWidth]),
                            integerOf(settings[common::kHeight]));
      break;
    case common::kVisible:
      backend_.setVisible(native, booleanOf(settings[common::kVisible]));
      break;
    case label_setting::kPicture:
      if (!isWindow) backend_.setLabelPicture(native, bytesOf(settings[number]));
      break;
    case label_setting::kPictureMode:
      if (!isWindow) backend_.setLabelPictureMode(native, integerOf(settings[number]));
      break;
    default:
      break;
  }
}

// A period equal to the current one changes nothing, so a running timer keeps its phase.
void Windowing::setTimerPeriod(Loaded& window, ControlId id, Object& timer, std::int32_t period) {
  SettingValue& stored = timer.definition.settings[timer_setting::kPeriod];
  if (period == integerOf(stored)) return;
  stored = period;
  if (timer.running) {
    backend_.stopTimer(window.native, id);
    timer.running = false;
  }
  if (period > 0) {
    backend_.startTimer(window.native, id, static_cast<std::uint32_t>(period));
    timer.running = true;
  }
}

bool Windowing::copyControl(WindowId window, ControlId source, ControlRef& element) {
  Loaded* loaded = find(window);
  if (!loaded || source == 0) return false;
  auto original = loaded->objects.find(source);
  if (original == loaded->objects.end() || original->second.definition.kind != ObjectKind::Label) {
    return false;
  }
  Object copy{original->second.definition};
  copy.definition.boundEvents.clear();  // a copy has no event bindings
  copy.native = backend_.createLabel(loaded->native, labelAppearanceOf(copy.definition.settings),
                                     original->second.native);
  if (copy.native == 0) return false;
  const ControlId id = loaded->nextControl++;
  loaded->objects.emplace(id, std::move(copy));
  element = ControlRef{window, id};
  return true;
}

void Windowing::destroyControl(const ControlRef& control) {
  Loaded* loaded = find(control.window);
  if (!loaded || control.control == 0) return;
  auto object = loaded->objects.find(control.control);
  if (object == loaded->objects.end()) return;
  if (object->second.native != 0) backend_.destroyWindow(object->second.native);
  if (object->second.running) backend_.stopTimer(loaded->native, control.control);
  loaded->objects.erase(object);
}

void Windowing::installTrayIcon(WindowId window, const platform::Bytes& iconFile,
                                std::string_view tip) {
  Loaded& loaded = loadedOrFatal(window);
  updateTrayIcon(loaded, makeTrayIcon(iconFile), tip);
}

NativeIcon Windowing::makeTrayIcon(const platform::Bytes& iconFile) {
  for (std::uint8_t width : kTrayWidths) {
    std::optional<icons::IconImage> image = chooseTrayImage(iconFile, width);
    if (!image) continue;
    if (NativeIcon icon = backend_.createIcon(image->bytes, image->width, image->height)) {
      return icon;
    }
  }
  return 0;
}

// Modifies a shown icon, deletes it when there is no new one, adds one when none is shown;
// then lets go of the previous icon handle.
void Windowing::updateTrayIcon(Loaded& window, NativeIcon icon, std::string_view tip) {
  const TrayRecord record{window.native, icon, trayTipOf(tip)};
  if (window.trayShown) {
    if (icon != 0) {
      backend_.notifyTray(TrayAction::Modify, record);
    } else {
      backend_.notifyTray(TrayAction::Delete, record);
      window.trayShown = false;
    }
  } else if (icon != 0) {
    window.trayShown = backend_.notifyTray(TrayAction::Add, record);
  }
  if (window.trayIcon != 0) backend_.destroyIcon(window.trayIcon);
  window.trayIcon = icon;
}

bool Windowing::registerDropZone(NativeWindow handle) {
  if (dropZoneRequested_) return false;
  dropZoneRequested_ = true;
  return backend_.registerDropTarget(handle);
}

void Windowing::runMessageLoop() {
  if (loadedWindowCount() == 0) return;
  loopRunning_ = true;
  backend_.runMessageLoop();
  loopRunning_ = false;
}

void Windowing::trayNotified(NativeWindow window, std::uint32_t mouseMessage) {
  Loaded* loaded = findNative(window);
  std::optional<int> type = trayEventOf(mouseMessage);
  if (!loaded || !type || !loaded->objects.at(0).definition.binds(EventKind::TrayNotification)) {
    return;
  }
  loaded->handlers->trayNotification(loaded->id, *type);
}

void Windowing::timerExpired(NativeWindow window, int timerId) {
  Loaded* loaded = findNative(window);
  if (!loaded) return;
  auto timer = loaded->objects.find(timerId);
  if (timer == loaded->objects.end() || !timer->second.running ||
      !timer->second.definition.binds(EventKind::Periodic)) {
    return;
  }
  loaded->handlers->periodic(loaded->id, timerId);
}

void Windowing::filesDropped(NativeWindow window, const std::string& paths) {
  Loaded* loaded = findNative(window);
  if (!loaded) return;
  for (const auto& [id, object] : loaded->objects) {
    if (object.definition.kind == ObjectKind::DropReceiver && object.definition.binds(EventKind::GotFiles)) {
      loaded->handlers->gotFiles(loaded->id, id, paths);
      return;
    }
  }
}

void Windowing::windowDestroyed(NativeWindow window) {
  auto entry = std::find_if(loaded_.begin(), loaded_.end(),
                            [window](const auto& loaded) { return loaded->native == window; });
  if (entry == loaded_.end()) return;
  Loaded& loaded = **entry;
  updateTrayIcon(loaded, 0, {});
  for (auto& [id, object] : loaded.objects) {
    if (object.running) backend_.stopTimer(loaded.native, id);
  }
  loaded_.erase(entry);
  if (loopRunning_ && loadedWindowCount() == 0) backend_.quitMessageLoop();
}

Windowing::Loaded* Windowing::find(WindowId window) const {
  for (const auto& loaded : loaded_) {
    if (loaded->id == window) return loaded.get();
  }
  return nullptr;
}

Windowing::Loaded* Windowing::findNative(NativeWindow window) const {
  if (window == 0) return nullptr;
  for (const auto& loaded : loaded_) {
    if (loaded->native == window) return loaded.get();
  }
  return nullptr;
}

Windowing::Loaded& Windowing::loadedOrFatal(WindowId window) const {
  Loaded* loaded = find(window);
  if (!loaded) reportFatalError(0, texts::kWindowNotLoaded);
  return *loaded;
}

Windowing::Object& Windowing::objectOrFatal(Loaded& window, ControlId object) const {
  auto found = window.objects.find(object);
  if (found == window.objects.end()) reportFatalError(0, texts::kWindowNotLoaded);
  return found->second;
}

}  // namespace app
