#pragma once

#include <windows.h>

#include "ui/window_base.h"

namespace velloran::ui {

struct LabelLook {
    HFONT font;
    COLORREF textColour;
    bool wordWrap;
};

// Fills the rectangle with button face and draws the caption over it, clipped to the
// rectangle: one left-aligned, vertically centred line, or broken into lines from the top.
void paintLabel(HDC dc, const RECT& rect, const char* caption, const LabelLook& look);

// A custom-drawn label; its caption is its window text.
class Label : public CustomDrawnWindow {
  public:
    bool create(HWND parent, const char* caption, int x, int y, int width, int height,
                const LabelLook& look);

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint(HDC dc) override;

  private:
    LabelLook look_{};
};

}  // namespace velloran::ui
