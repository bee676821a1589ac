#include "ui/label.h"

#include <string>

#include "platform/handles.h"

namespace velloran::ui {

void paintLabel(HDC dc, const RECT& rect, const char* caption, const LabelLook& look) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    ScopedSelectObject font(dc, look.font);
    SetTextColor(dc, look.textColour);
    SetBkMode(dc, TRANSPARENT);
    RECT area = rect;
    const UINT format = look.wordWrap ? DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX
                                      : DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    DrawTextA(dc, caption, -1, &area, format);
}

bool Label::create(HWND parent, const char* caption, int x, int y, int width, int height,
                   const LabelLook& look) {
    look_ = look;
    return WindowBase::create("VelloranLabel", 0, caption, WS_CHILD | WS_CLIPSIBLINGS, x, y, width,
                              height, parent);
}

void Label::paint(HDC dc) {
    RECT rect;
    GetClientRect(hwnd(), &rect);
    std::string caption(GetWindowTextLengthA(hwnd()) + 1, '\0');
    caption.resize(GetWindowTextA(hwnd(), caption.data(), static_cast<int>(caption.size())));
    paintLabel(dc, rect, caption.c_str(), look_);
}

LRESULT Label::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CustomDrawnWindow::handleMessage(message, wParam, lParam);
    if (message == WM_SETTEXT) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
    return result;
}

}  // namespace velloran::ui
