#pragma once
// The start routine: from the start of the process until no window is left.

#include <string>

#include "app/backend.h"
#include "app/entry_store.h"

namespace app {

// Initialises the OLE layer, makes RunDirectory (from the program's full path) the working
// directory, creates the hidden owner window, loads the start-up window, whose created
// handler loads the panel and destroys the start-up window again, runs the message loop until
// no loaded window remains, and closes the open databases. Returns the exit status, 0.
// A start-up window that cannot be loaded ends the process with the fatal error report.
int runPanelApplication(Backend& backend, EntryStore& store, const std::string& programPath);

}  // namespace app
