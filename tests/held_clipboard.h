#pragma once

#include <windows.h>

// Opens the clipboard for a scope, as another program would: with a window of its own.
class HeldClipboard {
  public:
    HeldClipboard()
        : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr)),
          open_(window_ && OpenClipboard(window_)) {}
    ~HeldClipboard() {
        if (open_) {
            CloseClipboard();
        }
        DestroyWindow(window_);
    }
    HeldClipboard(const HeldClipboard&) = delete;
    HeldClipboard& operator=(const HeldClipboard&) = delete;

    bool isOpen() const { return open_; }

  private:
    HWND window_;
    bool open_;
};
