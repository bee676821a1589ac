#include "app/application_shell.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "app/fatal_error.h"
#include "platform/http_read.h"

namespace velloran {
namespace {

ApplicationShell* currentShell = nullptr;

bool sameName(const char* a, const char* b) {
    return a == b || (a && b && std::strcmp(a, b) == 0);
}

// A drive without a medium makes file operations fail quietly, without a system box.
void quietCriticalErrors() {
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

void enterProgramFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    if (char* lastBackslash = std::strrchr(path, '\\')) {
        *lastBackslash = '\0';
        SetCurrentDirectoryA(path);
    }
}

}  // namespace

int runApplication() {
    quietCriticalErrors();
    OleInitialize(nullptr);
    enterProgramFolder();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int exitCode = 0;
    try {
        ApplicationShell shell;
        exitCode = shell.run();
    } catch (const std::bad_alloc&) {
        fatalAllocationFailure();
    }
    closeInternetSession();
    OleUninitialize();
    return exitCode;
}

ApplicationShell::ApplicationShell(DescriptionLookup lookup) : lookup_(lookup) {
    currentShell = this;
}

ApplicationShell::~ApplicationShell() {
    ++suppression_;
    loaded_.clear();
    gone_.clear();
    if (currentShell == this) {
        currentShell = nullptr;
    }
}

ApplicationShell* ApplicationShell::current() {
    return currentShell;
}

int ApplicationShell::run() {
    if (!loadWindow(WindowId::Main, false)) {
        fatalError("载入启动窗口失败");
    }
    mainLoopEntered_ = true;
    int exitCode = 0;
    if (!loaded_.empty()) {
        MSG message;
        for (;;) {
            const BOOL got = GetMessageA(&message, nullptr, 0, 0);
            if (got == 0 || got == -1) {
                exitCode = got == 0 ? static_cast<int>(message.wParam) : 0;
                break;
            }
            dispatch(message);
            gone_.clear();
        }
    }
    suppressEventsForGood();
    return exitCode;
}

ApplicationShell::Loaded* ApplicationShell::find(WindowId window) {
    const auto it = std::ranges::find_if(loaded_, [&](const auto& w) { return w->id == window; });
    return it == loaded_.end() ? nullptr : it->get();
}

ui::FormWindow* ApplicationShell::loadedWindow(WindowId window) {
    Loaded* loaded = find(window);
    return loaded ? loaded->form.get() : nullptr;
}

HWND ApplicationShell::hiddenOwner() {
    if (!hiddenOwner_) {
        hiddenOwner_.reset(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                           GetModuleHandleA(nullptr), nullptr));
    }
    return hiddenOwner_.get();
}

bool ApplicationShell::loadWindow(WindowId window, bool dialogMode) {
    if (Loaded* loaded = find(window)) {
        if (!loaded->destructionRequested) {
            const HWND hwnd = loaded->form->hwnd();
            if (IsIconic(hwnd)) {
                ShowWindow(hwnd, SW_RESTORE);
            } else {
                SetForegroundWindow(hwnd);
            }
            return true;
        }
        destroyNow(*loaded);
    }
    const ui::WindowDescription* description = lookup_(window);
    if (!description) {
        return false;
    }
    // A dialog-mode window is owned by a hidden window: no taskbar button, no owner of ours.
    const HWND owner = dialogMode ? hiddenOwner() : nullptr;

    dispatchWaiting();
    ++suppression_;
    auto entry = std::make_unique<Loaded>(*this, window);
    Loaded& loaded = *entry;
    loaded.form = std::make_unique<ui::FormWindow>(*description, loaded);
    loaded_.push_back(std::move(entry));
    if (!loaded.form->build(owner)) {
        --suppression_;
        std::erase_if(loaded_, [&](const auto& w) { return w.get() == &loaded; });
        return false;
    }
    // Input that queued up meanwhile is taken, but its events are dropped.
    dispatchWaiting();
    --suppression_;

    raiseEvent(window, nullptr, ui::EventKind::Created);
    if (loaded.gone) {
        return true;
    }
    if (description->visible) {
        ShowWindow(loaded.form->hwnd(), SW_SHOW);
    }
    if (dialogMode) {
        for (const auto& other : loaded_) {
            // Every loaded window is a top-level one, owned ones included.
            if (other.get() == &loaded || other->gone) {
                continue;
            }
            const HWND hwnd = other->form->hwnd();
            loaded.disabled.emplace_back(hwnd, IsWindowEnabled(hwnd) != FALSE);
            EnableWindow(hwnd, FALSE);
        }
    }
    if (!dialogMode || !description->visible) {
        return true;
    }
    Loaded* previous = std::exchange(dialogWindow_, &loaded);
    runNestedLoop(loaded);
    dialogWindow_ = previous;
    return true;
}

void ApplicationShell::runNestedLoop(const Loaded& window) {
    MSG message;
    while (!window.gone) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop
            return;
        }
        if (got == -1) {
            return;
        }
        dispatch(message);
    }
}

void ApplicationShell::dispatchWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void ApplicationShell::dispatch(MSG& message) {
    for (const auto& window : loaded_) {
        if (!window->gone && window->form->translateKeyboard(message)) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void ApplicationShell::destroyWindow(WindowId window) {
    Loaded* loaded = find(window);
    if (!loaded) {
        fatalError("指定窗口或窗口组件不存在或尚未载入");
    }
    // No close query for a requested destruction; it happens when the loop reaches it.
    loaded->destructionRequested = true;
    PostMessageA(loaded->form->hwnd(), WM_CLOSE, 0, 0);
}

bool ApplicationShell::raiseEvent(WindowId window, const char* source, ui::EventKind kind) {
    if (suppression_ > 0) {
        return true;
    }
    const ui::WindowDescription* description = lookup_(window);
    if (!description) {
        return true;
    }
    for (const ui::EventBinding& binding : description->events) {
        if (binding.kind == kind && sameName(binding.source, source)) {
            if (binding.handler) {
                binding.handler();
            }
            return true;
        }
    }
    return true;
}

void ApplicationShell::setWindowVisible(WindowId window, bool visible) {
    if (Loaded* loaded = find(window)) {
        ShowWindow(loaded->form->hwnd(), visible ? SW_SHOW : SW_HIDE);
    }
}

void ApplicationShell::closeRequested(Loaded& window) {
    if (!window.destructionRequested &&
        !raiseEvent(window.id, nullptr, ui::EventKind::CloseQuery)) {
        return;
    }
    destroyNow(window);
}

void ApplicationShell::destroyNow(Loaded& window) {
    // Enabled again before the window goes, so activation returns to them.
    restoreDisabled(window);
    window.form->destroy();
}

void ApplicationShell::restoreDisabled(Loaded& window) {
    for (const auto& [hwnd, enabled] : window.disabled) {
        EnableWindow(hwnd, enabled ? TRUE : FALSE);
    }
    window.disabled.clear();
}

void ApplicationShell::windowGone(Loaded& window) {
    restoreDisabled(window);
    window.gone = true;
    if (dialogWindow_ == &window) {
        dialogWindow_ = nullptr;
    }
    const auto it =
        std::ranges::find_if(loaded_, [&](const auto& w) { return w.get() == &window; });
    if (it != loaded_.end()) {
        gone_.push_back(std::move(*it));
        loaded_.erase(it);
    }
    if (loaded_.empty() && mainLoopEntered_) {
        PostQuitMessage(0);
    }
}

}  // namespace velloran
