#pragma once
// The panel: its created handler, the icon grid, and the tray and timer handlers that show it
// and hide it again.

#include <string>
#include <vector>

#include "app/entry_store.h"
#include "app/windowing.h"

namespace app {

// The alias under which the panel opens and selects its entry store.
inline constexpr std::string_view kStoreAlias = "dizhi";
// How long the panel stays up after a click on its notification-area icon.
inline constexpr std::int32_t kAutoHidePeriod = 20000;

class Panel final : public WindowHandlers {
 public:
  Panel(Windowing& windowing, EntryStore& store, std::string runDirectory);

  // Loads the panel window; its created handler runs inside. 0 when it cannot be created.
  WindowId load();

  // Makes one tile per stored entry, in rows of five, and sets the panel's height from the
  // number of entries. Tiles of the previous rebuild are reused for the same entries, and
  // those beyond the new count are destroyed, so rebuilding never piles up controls.
  void rebuildTiles();

  WindowId window() const { return window_; }
  // The tiles of the last rebuild, in entry order.
  const std::vector<ControlRef>& tiles() const { return tiles_; }

  void created(WindowId window) override;
  void trayNotification(WindowId window, int type) override;
  void periodic(WindowId window, ControlId timer) override;
  void gotFiles(WindowId window, ControlId dropZone, const std::string& paths) override;

 private:
  std::string readTextField(std::string_view name);

  Windowing& windowing_;
  EntryStore& store_;
  std::string runDirectory_;
  WindowId window_ = 0;
  ControlId tileTemplate_ = 0;
  ControlId autoHideTimer_ = 0;
  std::vector<ControlRef> tiles_;
};

}  // namespace app
