// Baseline JPEG into a 32-bit top-down DIB section, through libjpeg.
#include <csetjmp>
#include <cstdio>
#include <vector>

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

// Decodes into rows of BGRX pixels; false on corrupt data. No object with a destructor
// lives in this frame, so leaving it by longjmp is safe.
bool decodeRows(const unsigned char* data, unsigned long size, unsigned char* pixels, int width,
                int height) {
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
    if (static_cast<int>(info.output_width) != width ||
        static_cast<int>(info.output_height) != height) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + static_cast<std::size_t>(info.output_scanline) * width * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// Reads only the header, for the size of the bitmap to make.
bool readSize(const unsigned char* data, unsigned long size, int& width, int& height) {
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
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    jpeg_destroy_decompress(&info);
    return width > 0 && height > 0;
}

}  // namespace

std::optional<Picture> decodeJpeg(std::span<const unsigned char> data) {
    if (data.empty()) {
        return std::nullopt;
    }
    int width = 0;
    int height = 0;
    if (!readSize(data.data(), static_cast<unsigned long>(data.size()), width, height)) {
        return std::nullopt;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !decodeRows(data.data(), static_cast<unsigned long>(data.size()),
                               static_cast<unsigned char*>(bits), width, height)) {
        return std::nullopt;
    }
    return Picture{std::move(bitmap), width, height};
}

}  // namespace velloran::ui
