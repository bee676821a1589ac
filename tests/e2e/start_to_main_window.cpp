#include "start_to_main_window.h"

namespace e2e {

std::optional<RunningVelloran> startToMainWindow(DWORD timeout) {
    std::optional<Program> program = Program::start(velloranExe());
    if (!program) {
        return std::nullopt;
    }
    HWND mainWindow = nullptr;
    const bool shown = waitUntil(
        [&] {
            mainWindow = program->waitForWindow(kMainWindowTitle, 0);
            if (mainWindow) {
                return true;
            }
            const auto box = waitForMessageBox(*program, 0);
            if (box && box->title == kGreetingTitle) {
                dismissMessageBox(box->box);
            }
            return false;
        },
        timeout);
    if (!shown) {
        return std::nullopt;
    }
    return RunningVelloran{std::move(*program), mainWindow};
}

}  // namespace e2e
