#include "ui/picture_box.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <utility>

#include "platform/handles.h"

namespace velloran::ui {

void paintPicture(HDC dc, const RECT& rect, const Picture* picture, bool stretch) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    if (!picture) {
        return;
    }
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    ScopedSelectObject bitmap(source.get(), picture->bitmap.get());
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (!stretch) {
        BitBlt(dc, rect.left, rect.top, std::min(width, picture->width),
               std::min(height, picture->height), source.get(), 0, 0, SRCCOPY);
        return;
    }
    if (GetDeviceCaps(dc, BITSPIXEL) > 16) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);  // halftone needs the brush origin reset
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
    }
    StretchBlt(dc, rect.left, rect.top, width, height, source.get(), 0, 0, picture->width,
               picture->height, SRCCOPY);
}

std::optional<Picture> loadPictureResource(int id) {
    HRSRC resource =
        FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!resource) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
    if (!bytes) {
        return std::nullopt;
    }
    const std::span data(bytes, SizeofResource(nullptr, resource));
    const bool gif = data.size() >= 4 && std::memcmp(data.data(), "GIF8", 4) == 0;
    return gif ? decodeGif(data) : decodeJpeg(data);
}

bool PictureBox::create(HWND parent, int x, int y, int width, int height,
                        std::optional<Picture> picture, bool stretch) {
    picture_ = std::move(picture);
    stretch_ = stretch;
    return WindowBase::create("VelloranPictureBox", 0, "", WS_CHILD | WS_CLIPSIBLINGS, x, y, width,
                              height, parent);
}

void PictureBox::paint(HDC dc) {
    RECT rect;
    GetClientRect(hwnd(), &rect);
    paintPicture(dc, rect, picture_ ? &*picture_ : nullptr, stretch_);
}

}  // namespace velloran::ui
