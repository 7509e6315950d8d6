#pragma once
// The panel's icon file, built into the program from assets/panel_icon.ico: the panel's window
// icons and the source of its notification-area icon.

#include "platform/bytes.h"

namespace app {

const platform::Bytes& panelIconBytes();

}  // namespace app
