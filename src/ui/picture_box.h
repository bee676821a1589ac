#pragma once

#include <windows.h>

#include <optional>

#include "ui/picture.h"
#include "ui/window_base.h"

namespace velloran::ui {

// Fills the rectangle with button face, then draws the picture stretched to it (halftone
// above 16 bits per pixel, colour-on-colour otherwise) or at natural size from its top-left
// corner, clipped.
void paintPicture(HDC dc, const RECT& rect, const Picture* picture, bool stretch);

// The picture of a program resource (RCDATA), decoded; none when missing or unreadable.
std::optional<Picture> loadPictureResource(int id);

class PictureBox : public CustomDrawnWindow {
  public:
    bool create(HWND parent, int x, int y, int width, int height, std::optional<Picture> picture,
                bool stretch);

  protected:
    void paint(HDC dc) override;

  private:
    std::optional<Picture> picture_;
    bool stretch_ = false;
};

}  // namespace velloran::ui
