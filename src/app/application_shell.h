#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "app/shell.h"
#include "platform/handles.h"
#include "ui/form_window.h"
#include "ui/window_catalogue.h"
#include "ui/window_description.h"

namespace velloran {

// The whole life of the process: start-up, the start-up window, the main loop, shutdown.
// Returns the exit code.
int runApplication();

// Owns the loaded windows, delivers their events to the handlers of their event tables and
// runs the message loops. One exists while the program runs; the functions of shell.h
// reach it.
class ApplicationShell {
  public:
    using DescriptionLookup = const ui::WindowDescription* (*)(WindowId);

    // Windows are built from the descriptions that lookup gives.
    explicit ApplicationShell(DescriptionLookup lookup = ui::windowDescription);
    ~ApplicationShell();
    ApplicationShell(const ApplicationShell&) = delete;
    ApplicationShell& operator=(const ApplicationShell&) = delete;

    static ApplicationShell* current();

    // Loads MainWindow and runs the main loop until no window is left; the exit code.
    int run();

    bool loadWindow(WindowId window, bool dialogMode);
    void destroyWindow(WindowId window);
    // Runs the bound handler unless events are suppressed; false only when a close query
    // keeps its window.
    bool raiseEvent(WindowId window, const char* source, ui::EventKind kind);
    void setWindowVisible(WindowId window, bool visible);

    // A loaded window, also while its created event runs; none otherwise.
    ui::FormWindow* loadedWindow(WindowId window);
    bool eventsSuppressed() const { return suppression_ > 0; }
    // Events stay suppressed from here on (shutdown, the fatal error box).
    void suppressEventsForGood() { ++suppression_; }

  private:
    struct Loaded : ui::FormEvents {
        Loaded(ApplicationShell& shell, WindowId id) : shell(shell), id(id) {}
        bool raise(const char* source, ui::EventKind kind) override {
            return shell.raiseEvent(id, source, kind);
        }
        void closeRequested() override { shell.closeRequested(*this); }
        void windowGone() override { shell.windowGone(*this); }

        ApplicationShell& shell;
        WindowId id;
        std::unique_ptr<ui::FormWindow> form;
        bool destructionRequested = false;
        bool gone = false;
        // What a dialog-mode window disabled, with the enabled state each had.
        std::vector<std::pair<HWND, bool>> disabled;
    };

    Loaded* find(WindowId window);
    HWND hiddenOwner();
    void closeRequested(Loaded& window);
    void destroyNow(Loaded& window);
    void windowGone(Loaded& window);
    void restoreDisabled(Loaded& window);
    // Dispatches what waits in the queue now, leaving a quit message in place.
    void dispatchWaiting();
    void dispatch(MSG& message);
    void runNestedLoop(const Loaded& window);

    DescriptionLookup lookup_;
    std::vector<std::unique_ptr<Loaded>> loaded_;
    // Destroyed windows whose objects may still be on the stack; freed by the main loop.
    std::vector<std::unique_ptr<Loaded>> gone_;
    bool mainLoopEntered_ = false;
    int suppression_ = 0;
    Loaded* dialogWindow_ = nullptr;
    UniqueWindow hiddenOwner_;
};

}  // namespace velloran
