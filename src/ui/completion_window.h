#pragma once

#include "ui/window_description.h"

namespace velloran::ui {

// The window shown once the server folder is built: its controls, event table and settings.
const WindowDescription& completionWindowDescription();

// Click of its 按钮1: thanks the user, then ends the program by destroying both windows.
void showFarewell();
// Close query of the window (Esc): ends the program as the farewell does, without the thanks,
// so no hidden main window is left running with nothing on screen.
void endWithoutFarewell();

}  // namespace velloran::ui
