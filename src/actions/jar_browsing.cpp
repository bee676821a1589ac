#include "actions/auxiliary_actions.h"
#include "app/shell.h"

namespace velloran {

void browseForJar() {
    runOpenFileDialog(WindowId::Main, "通用对话框1");
    // Written even after a cancel: the box then shows the last confirmed path, or nothing.
    setControlText(WindowId::Main, "编辑框4",
                   openFileDialogFileName(WindowId::Main, "通用对话框1"));
}

}  // namespace velloran
