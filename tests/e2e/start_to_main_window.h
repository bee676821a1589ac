#pragma once

#include "driver.h"

namespace e2e {

inline const char* const kMainWindowTitle = "Velloran1.6.2     byTolvane";
inline const char* const kGreetingTitle = "欢迎";

struct RunningVelloran {
    Program program;
    HWND mainWindow;
};

// Starts velloran.exe, answers the greeting box if one comes, and waits until the main
// window is visible; nothing when it does not show up in time.
std::optional<RunningVelloran> startToMainWindow(DWORD timeout = 10000);

}  // namespace e2e
