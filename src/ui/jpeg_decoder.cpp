// Baseline JPEG into a 32-bit top-down DIB section, through libjpeg.
#include <csetjmp>
#include <cstdio>

#include "ui/picture.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace velloran::ui {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void leaveDecoding(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void ignoreMessage(j_common_ptr) {}

// Where the decoded rows go: a top-down 32-bit DIB section made once the size is known.
// It lives in the caller's frame, so a longjmp out of decoding cannot leak it.
struct Target {
    UniqueBitmap bitmap;
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;

    bool make(int w, int h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels = static_cast<unsigned char*>(bits);
        width = w;
        height = h;
        return bitmap && pixels;
    }
};

// Decodes into rows of BGRX pixels; false on corrupt data. No object with a destructor
// lives in this frame, so leaving it by longjmp is safe.
bool decodeInto(const unsigned char* data, unsigned long size, Target& target) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leaveDecoding;
    errors.base.output_message = ignoreMessage;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    if (width <= 0 || height <= 0 || !target.make(width, height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = target.pixels + static_cast<std::size_t>(info.output_scanline) * width * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

std::optional<Picture> decodeJpeg(std::span<const unsigned char> data) {
    Target target;
    if (data.empty() || !decodeInto(data.data(), static_cast<unsigned long>(data.size()), target)) {
        return std::nullopt;
    }
    return Picture{std::move(target.bitmap), target.width, target.height};
}

}  // namespace velloran::ui
