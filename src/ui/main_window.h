#pragma once

#include "ui/window_description.h"

namespace velloran::ui {

// The start-up window: its controls, event table and settings.
const WindowDescription& mainWindowDescription();

}  // namespace velloran::ui
