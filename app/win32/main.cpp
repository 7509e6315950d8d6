// iconpanel: a tray panel of program icons.

#include "app/entry_store.h"
#include "app/fatal_error.h"
#include "app/panel_application.h"
#include "app/win32/win32_backend.h"

int main() {
  app::setFatalErrorPresenter(&app::win32::showFatalErrorBox);
  std::unique_ptr<app::Backend> backend = app::win32::createBackend();
  return app::runPanelApplication(*backend, app::storeRegistry(), app::win32::programPath());
}
