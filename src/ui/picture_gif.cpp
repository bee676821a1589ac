#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "ui/picture.h"

namespace velloran::ui {

namespace {

UniqueGlobal copyToGlobal(std::span<const unsigned char> data) {
    UniqueGlobal global(GlobalAlloc(GMEM_MOVEABLE, data.size()));
    if (!global) {
        return global;
    }
    void* bytes = GlobalLock(global.get());
    if (bytes == nullptr) {
        return UniqueGlobal();
    }
    std::memcpy(bytes, data.data(), data.size());
    GlobalUnlock(global.get());
    return global;
}

UniqueCom<IPicture> loadPicture(IStream* stream, std::size_t size) {
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture)))) {
        return UniqueCom<IPicture>();
    }
    return UniqueCom<IPicture>(picture);
}

// The pixel size of the bitmap the picture holds; the HIMETRIC size would round.
bool pixelSize(IPicture* picture, int& width, int& height) {
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture->get_Handle(&handle))) {
        return false;
    }
    BITMAP bitmap{};
    if (GetObjectA(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof bitmap,
                   &bitmap) == 0) {
        return false;
    }
    width = bitmap.bmWidth;
    height = bitmap.bmHeight;
    return width > 0 && height > 0;
}

}  // namespace

std::optional<Picture> decodeGif(std::span<const unsigned char> data) {
    if (data.empty()) {
        return std::nullopt;
    }
    // The stream borrows the memory, so it is declared after it and released first.
    UniqueGlobal global = copyToGlobal(data);
    if (!global) {
        return std::nullopt;
    }
    IStream* rawStream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(global.get(), FALSE, &rawStream))) {
        return std::nullopt;
    }
    UniqueCom<IStream> stream(rawStream);
    UniqueCom<IPicture> picture = loadPicture(stream.get(), data.size());
    Picture result;
    if (!picture || !pixelSize(picture.get(), result.width, result.height)) {
        return std::nullopt;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture.get()->get_Width(&hmWidth);
    picture.get()->get_Height(&hmHeight);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = result.width;
    info.bmiHeader.biHeight = -result.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    result.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!result.bitmap || !dc) {
        return std::nullopt;
    }
    {
        ScopedSelectObject select(dc.get(), result.bitmap.get());
        PatBlt(dc.get(), 0, 0, result.width, result.height, WHITENESS);
        // Picture coordinates run bottom-up, hence the source starts at the bottom with a
        // negative height.
        if (FAILED(picture.get()->Render(dc.get(), 0, 0, result.width, result.height, 0, hmHeight,
                                         hmWidth, -hmHeight, nullptr))) {
            return std::nullopt;
        }
    }
    GdiFlush();
    return result;
}

}  // namespace velloran::ui
