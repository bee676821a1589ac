#include "ui/open_file_dialog.h"

#include <windows.h>
// Needs the declarations of windows.h first.
#include <commdlg.h>

namespace velloran::ui {

bool OpenFileDialog::run() {
    // MAX_PATH bytes, the NUL included: a longer path makes the dialog fail.
    char path[MAX_PATH] = {};
    fileName_.copy(path, sizeof path - 1);

    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = GetActiveWindow();
    request.lpstrFile = path;
    request.nMaxFile = sizeof path;
    request.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT |
                    OFN_EXPLORER;
    if (!GetOpenFileNameA(&request)) {
        return false;
    }
    fileName_ = path;
    return true;
}

}  // namespace velloran::ui
