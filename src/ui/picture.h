#pragma once

#include <windows.h>

#include <optional>
#include <span>

#include "platform/handles.h"

namespace velloran::ui {

// A decoded picture: a 32-bit top-down DIB section.
struct Picture {
    UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
};

// Baseline JPEG through libjpeg.
std::optional<Picture> decodeJpeg(std::span<const unsigned char> data);
// Single-frame GIF89a through the platform's picture loading.
std::optional<Picture> decodeGif(std::span<const unsigned char> data);

}  // namespace velloran::ui
