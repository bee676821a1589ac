#pragma once

#include "text.h"

namespace velloran::ui {

// The open-file dialog control: remembers the last confirmed path between runs of the dialog.
class OpenFileDialog {
  public:
    // Shows the modal Open dialog, owned by the window active at that moment and
    // pre-filled with the last confirmed path. True when the user confirmed a file.
    bool run();
    // The full path last confirmed; empty until a file has been confirmed once.
    const Text& fileName() const { return fileName_; }

  private:
    Text fileName_;
};

}  // namespace velloran::ui
