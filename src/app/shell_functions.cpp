// The shell's operations as the handlers see them.
#include "app/application_shell.h"
#include "app/shell.h"

namespace velloran {

bool loadWindow(WindowId window, bool dialogMode) {
    ApplicationShell* shell = ApplicationShell::current();
    return shell && shell->loadWindow(window, dialogMode);
}

void destroyWindow(WindowId window) {
    ApplicationShell* shell = ApplicationShell::current();
    if (!shell) {
        fatalError("指定窗口或窗口组件不存在或尚未载入");
    }
    shell->destroyWindow(window);
}

void setWindowVisible(WindowId window, bool visible) {
    if (ApplicationShell* shell = ApplicationShell::current()) {
        shell->setWindowVisible(window, visible);
    }
}

namespace {
ui::FormWindow* loadedWindow(WindowId window) {
    ApplicationShell* shell = ApplicationShell::current();
    return shell ? shell->loadedWindow(window) : nullptr;
}
}  // namespace

Text controlText(WindowId window, const char* control) {
    ui::FormWindow* form = loadedWindow(window);
    return form ? form->controlText(control) : Text{};
}

void setControlText(WindowId window, const char* control, const Text& text) {
    if (ui::FormWindow* form = loadedWindow(window)) {
        form->setControlText(control, text);
    }
}

}  // namespace velloran
