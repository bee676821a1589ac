#include "ui/window_base.h"

namespace velloran::ui {

WindowBase::~WindowBase() {
    if (hwnd_) {
        // The window may not call back into a half-destroyed object.
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool WindowBase::create(const char* className, DWORD exStyle, const char* text, DWORD style, int x,
                        int y, int width, int height, HWND parent) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, className, &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProcedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        if (!RegisterClassExA(&wc)) {
            return false;
        }
    }
    return CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, nullptr,
                           instance, this) != nullptr;
}

LRESULT WindowBase::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CustomDrawnWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd(), &ps);
            paint(dc);
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            paint(reinterpret_cast<HDC>(wParam));
            return 0;
        default:
            return WindowBase::handleMessage(message, wParam, lParam);
    }
}

LRESULT CALLBACK WindowBase::windowProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        self->hwnd_ = nullptr;
        self->onWindowGone();
        return result;
    }
    return guardedMessage([&] { return self->handleMessage(message, wParam, lParam); });
}

}  // namespace velloran::ui
