#include "app/panel.h"

#include <algorithm>
#include <array>

#include "app/drop/add_dropped_program.h"
#include "app/fatal_error.h"
#include "app/run_directory.h"
#include "app/texts.h"
#include "app/tile_grid.h"
#include "app/window_definitions.h"
#include "platform/file_bytes.h"

namespace app {
namespace {

constexpr std::string_view kImageField = "tubiao";
constexpr std::string_view kProgramField = "wenjian";
constexpr std::int32_t kCentredPicture = 2;

}  // namespace

Panel::Panel(Windowing& windowing, EntryStore& store, std::string runDirectory)
    : windowing_(windowing), store_(store), runDirectory_(std::move(runDirectory)) {}

WindowId Panel::load() { return windowing_.loadWindow(panelWindowDefinition(), *this); }

void Panel::created(WindowId window) {
  window_ = window;
  tileTemplate_ = windowing_.findControl(window, texts::kTileTemplateName);
  autoHideTimer_ = windowing_.findControl(window, texts::kAutoHideTimerName);

  // A failed open is not reported: selecting the store fails later and the grid stays empty.
  store_.openDatabase(entryStorePath(runDirectory_), kStoreAlias);
  const SettingValue icon = windowing_.readSetting(window, 0, window_setting::kIcon);
  windowing_.installTrayIcon(window, bytesOf(icon), texts::kTrayTip);
  windowing_.registerDropZone(windowing_.nativeWindow(window));
  rebuildTiles();
}

void Panel::rebuildTiles() {
  std::array<ControlRef, kTileSlotCount> tileSlots{};
  if (!store_.selectDatabase(kStoreAlias)) return;
  const std::int32_t count = store_.countRecords();
  windowing_.writeSetting(window_, 0, common::kHeight, panelHeightFor(count));
  store_.goToFirstRecord();

  const std::int32_t tileCount = std::clamp(count, 0, kTileSlotCount);
  for (std::int32_t number = 1; number <= tileCount; ++number) {
    store_.goToRecord(number);
    const std::string imagePath = readTextField(kImageField);
    platform::Bytes picture = platform::readFileBytes(imagePath);
    std::string program = readTextField(kProgramField);

    const auto slot = static_cast<std::size_t>(number - 1);
    ControlRef& tile = tileSlots[slot];
    if (slot < tiles_.size() && !tiles_[slot].empty()) {
      tile = tiles_[slot];
    } else if (!windowing_.copyControl(window_, tileTemplate_, tile)) {
      continue;  // the platform could make no label: this entry stays without a tile
    }
    const TilePosition place = tilePositionOf(number);
    windowing_.writeSetting(tile.window, tile.control, common::kTop, place.top);
    windowing_.writeSetting(tile.window, tile.control, common::kLeft, place.left);
    windowing_.writeSetting(tile.window, tile.control, label_setting::kPictureMode,
                            kCentredPicture);
    windowing_.writeSetting(tile.window, tile.control, common::kVisible, true);
    windowing_.writeSetting(tile.window, tile.control, label_setting::kPicture, std::move(picture));
    windowing_.writeSetting(tile.window, tile.control, common::kTag, std::move(program));
  }

  // The store can only shrink when its file was replaced: tiles beyond the new count go.
  for (std::size_t stale = static_cast<std::size_t>(tileCount); stale < tiles_.size(); ++stale) {
    windowing_.destroyControl(tiles_[stale]);
  }
  tiles_.assign(tileSlots.begin(), tileSlots.begin() + tileCount);
}

std::string Panel::readTextField(std::string_view name) {
  store::StoreValue value = store_.readField(name);
  if (!value.isText()) reportFatalError(texts::kTypeMismatchNumber, texts::kTypeMismatch);
  return value.text();
}

void Panel::trayNotification(WindowId window, int type) {
  windowing_.writeSetting(window, 0, common::kVisible, true);
  windowing_.writeSetting(window, autoHideTimer_, timer_setting::kPeriod,
                          type == 2 ? 0 : kAutoHidePeriod);
}

void Panel::periodic(WindowId window, ControlId) {
  windowing_.writeSetting(window, 0, common::kVisible, false);
}

void Panel::gotFiles(WindowId, ControlId, const std::string& paths) {
  drop::handleDroppedFiles(paths, runDirectory_, kStoreAlias, [this] { rebuildTiles(); });
}

}  // namespace app
