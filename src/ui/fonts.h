#pragma once

#include <windows.h>

#include "platform/handles.h"
#include "ui/window_description.h"

namespace velloran::ui {

// A control's own font: the stored face, character height and weight, default character
// set, proof quality. No font when the description names no face.
UniqueFont createFont(const FontDescription& font);

HFONT defaultGuiFont();

}  // namespace velloran::ui
