#include "app/panel_application.h"

#include "app/fatal_error.h"
#include "app/panel.h"
#include "app/run_directory.h"
#include "app/texts.h"
#include "app/window_definitions.h"
#include "app/windowing.h"
#include "store/store.h"

namespace app {
namespace {

// The start-up window only starts the panel: it loads the panel and destroys itself inside
// its own created handler, so it is never shown.
class StartupWindow final : public WindowHandlers {
 public:
  StartupWindow(Windowing& windowing, Panel& panel) : windowing_(windowing), panel_(panel) {}

  void created(WindowId window) override {
    panel_.load();
    windowing_.destroyWindow(window);
  }

 private:
  Windowing& windowing_;
  Panel& panel_;
};

void reportStoreFatalError(int errorNumber, const std::string& message) {
  reportFatalError(errorNumber, message);
}

}  // namespace

int runPanelApplication(Backend& backend, EntryStore& store, const std::string& programPath) {
  store::setFatalErrorHook(&reportStoreFatalError);
  backend.initializeOle();
  const std::string runDirectory = runDirectoryOf(programPath);
  backend.setWorkingDirectory(workingDirectoryFor(runDirectory));

  Windowing windowing(backend);
  windowing.createOwnerWindow();
  Panel panel(windowing, store, runDirectory);
  StartupWindow startup(windowing, panel);
  if (windowing.loadWindow(startupWindowDefinition(), startup) == 0) {
    reportFatalError(0, texts::kStartupWindowNotLoaded);
  }
  windowing.runMessageLoop();
  store.closeAllDatabases();
  return 0;
}

}  // namespace app
