#pragma once

#include "text.h"

namespace velloran {

// The program's two windows.
enum class WindowId { Main, Completion };

// What handlers ask of the application shell. All of it runs on the GUI thread.

// Builds the window, raises its created event and shows it; in dialog mode returns
// only once the window has been destroyed. A loaded window is only activated.
bool loadWindow(WindowId window, bool dialogMode);
// Queues the destruction of a loaded window and returns at once.
void destroyWindow(WindowId window);
// Hides or shows a window; no effect on a window that is not loaded.
void setWindowVisible(WindowId window, bool visible);

// The text an edit box shows now, or the caption of a label.
Text controlText(WindowId window, const char* control);
// Replaces an edit box's text, or a label's caption (repainted at once).
void setControlText(WindowId window, const char* control, const Text& text);

// Runs an open-file dialog control; true when the user confirmed a file.
bool runOpenFileDialog(WindowId window, const char* control);
// The full path last confirmed in that dialog, empty until then.
Text openFileDialogFileName(WindowId window, const char* control);

// Shows the fatal run-time error box and ends the process with exit code -1.
[[noreturn]] void fatalError(const Text& reason);

}  // namespace velloran
