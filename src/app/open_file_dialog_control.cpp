// Kept apart so that only programs that run the dialog link its realisation.
#include "app/application_shell.h"
#include "app/shell.h"

namespace velloran {
namespace {
ui::OpenFileDialog* dialogOf(WindowId window, const char* control) {
    ApplicationShell* shell = ApplicationShell::current();
    ui::FormWindow* form = shell ? shell->loadedWindow(window) : nullptr;
    return form ? form->openFileDialog(control) : nullptr;
}
}  // namespace

bool runOpenFileDialog(WindowId window, const char* control) {
    ui::OpenFileDialog* dialog = dialogOf(window, control);
    return dialog && dialog->run();
}

Text openFileDialogFileName(WindowId window, const char* control) {
    ui::OpenFileDialog* dialog = dialogOf(window, control);
    return dialog ? dialog->fileName() : Text{};
}

}  // namespace velloran
