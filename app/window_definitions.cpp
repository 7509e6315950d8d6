#include "app/window_definitions.h"

#include <algorithm>

#include "app/panel_icon.h"
#include "app/texts.h"

namespace app {
namespace {

struct Place {
  std::int32_t left, top, width, height;
};

ObjectDefinition object(ObjectKind kind, std::string_view name, Place place, bool visible) {
  ObjectDefinition definition{std::string(name), kind, defaultSettings(kind), {}};
  definition.settings[common::kLeft] = place.left;
  definition.settings[common::kTop] = place.top;
  definition.settings[common::kWidth] = place.width;
  definition.settings[common::kHeight] = place.height;
  definition.settings[common::kVisible] = visible;
  return definition;
}

WindowDefinition buildStartupWindow() {
  WindowDefinition startup{object(ObjectKind::Window, {}, {50, 50, 380, 250}, true), {}};
  startup.window.boundEvents = {EventKind::Created};
  return startup;
}

WindowDefinition buildPanelWindow() {
  ObjectDefinition panel = object(ObjectKind::Window, {}, {50, 50, 372, 250}, true);
  panel.settings[window_setting::kBorder] = 0;
  panel.settings[window_setting::kBackgroundColour] = kPanelColour;
  panel.settings[window_setting::kControlBox] = false;
  panel.settings[window_setting::kMinimizeButton] = false;
  panel.settings[window_setting::kIcon] = panelIconBytes();
  panel.settings[window_setting::kShownInTaskbar] = false;
  panel.settings[window_setting::kDragAnywhere] = true;
  panel.boundEvents = {EventKind::Created, EventKind::TrayNotification};

  ObjectDefinition tileTemplate =
      object(ObjectKind::Label, texts::kTileTemplateName, {0, 144, 80, 72}, false);
  tileTemplate.settings[label_setting::kCaption] = std::string();
  tileTemplate.settings[label_setting::kBackgroundColour] = kPanelColour;

  ObjectDefinition dropZone =
      object(ObjectKind::DropReceiver, texts::kFileDropZoneName, {328, 168, 32, 24}, false);
  dropZone.settings[drop_setting::kAcceptText] = true;
  dropZone.settings[drop_setting::kAcceptFiles] = true;
  dropZone.boundEvents = {EventKind::GotFiles};

  ObjectDefinition timer =
      object(ObjectKind::Timer, texts::kAutoHideTimerName, {328, 208, 32, 24}, false);
  timer.boundEvents = {EventKind::Periodic};

  return {std::move(panel), {std::move(tileTemplate), std::move(dropZone), std::move(timer)}};
}

}  // namespace

bool ObjectDefinition::binds(EventKind event) const {
  return std::find(boundEvents.begin(), boundEvents.end(), event) != boundEvents.end();
}

const WindowDefinition& startupWindowDefinition() {
  static const WindowDefinition definition = buildStartupWindow();
  return definition;
}

const WindowDefinition& panelWindowDefinition() {
  static const WindowDefinition definition = buildPanelWindow();
  return definition;
}

}  // namespace app
