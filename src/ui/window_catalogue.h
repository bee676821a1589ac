#pragma once

#include "app/shell.h"
#include "ui/window_description.h"

namespace velloran::ui {

// The description a window is built from; none for a window the program cannot build.
const WindowDescription* windowDescription(WindowId window);

}  // namespace velloran::ui
