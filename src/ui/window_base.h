#pragma once

#include <windows.h>

#include <new>

#include "app/fatal_error.h"

namespace velloran::ui {

// A window whose messages reach an object: one window procedure for every class of ours
// finds the object at WM_NCCREATE and routes to handleMessage. Nothing unwinds through
// Windows: an allocation failure inside a message becomes the fatal error box.
class WindowBase {
  public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND hwnd() const { return hwnd_; }

  protected:
    // Registers the class on first use (button-face background, arrow cursor) and creates
    // the window; the object must outlive it.
    bool create(const char* className, DWORD exStyle, const char* text, DWORD style, int x, int y,
                int width, int height, HWND parent);
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // After WM_NCDESTROY: the window is gone, the object stays.
    virtual void onWindowGone() {}

  private:
    static LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// A window that paints itself whole, for the screen (WM_PAINT) and into any DC
// (WM_PRINTCLIENT), with no background erase in between, so it does not flicker.
class CustomDrawnWindow : public WindowBase {
  protected:
    virtual void paint(HDC dc) = 0;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Runs one message's handling with allocation failure turned into the fatal error box.
template <typename Body>
LRESULT guardedMessage(Body&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        fatalAllocationFailure();
    }
}

}  // namespace velloran::ui
