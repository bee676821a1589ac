#pragma once

#include <windows.h>

#include <functional>

namespace velloran::testing_support {

// Dispatches this thread's messages until done() holds or the deadline passes.
inline bool pumpUntil(const std::function<bool()>& done, DWORD deadlineMs = 3000) {
    const DWORD start = GetTickCount();
    MSG message;
    while (!done()) {
        if (GetTickCount() - start > deadlineMs) {
            return false;
        }
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (!done()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

// Dispatches whatever waits now.
inline void pumpWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace velloran::testing_support
