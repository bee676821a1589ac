#include <gtest/gtest.h>

#include <cstdint>

#include "platform/handles.h"
#include "ui/fonts.h"
#include "ui/label.h"
#include "ui/picture_box.h"

namespace velloran::ui {
namespace {

constexpr COLORREF kSentinel = RGB(0, 255, 0);

// A 32-bit top-down canvas whose pixels the test reads back.
class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height) {
        picture_ = makePicture(width, height, kSentinel);
        dc_.reset(CreateCompatibleDC(nullptr));
        previous_ = SelectObject(dc_.get(), picture_.bitmap.get());
    }
    ~Canvas() { SelectObject(dc_.get(), previous_); }

    static Picture makePicture(int width, int height, COLORREF fill) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        Picture picture{
            UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)),
            width, height};
        auto* pixels = static_cast<std::uint32_t*>(bits);
        for (int i = 0; i < width * height; ++i) {
            pixels[i] = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
        }
        return picture;
    }

    HDC dc() const { return dc_.get(); }
    COLORREF at(int x, int y) const {
        GdiFlush();
        DIBSECTION section{};
        GetObjectA(picture_.bitmap.get(), sizeof section, &section);
        const auto* row = static_cast<const std::uint8_t*>(section.dsBm.bmBits) +
                          static_cast<std::ptrdiff_t>(y) * section.dsBm.bmWidthBytes;
        return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
    }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_, height_;
    Picture picture_;
    UniqueMemoryDc dc_;
    HGDIOBJ previous_ = nullptr;
};

bool isText(COLORREF c) {
    return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
}

// Rows holding text pixels inside rect: first and last.
std::pair<int, int> inkRows(const Canvas& canvas, const RECT& rect) {
    int first = -1, last = -1;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (isText(canvas.at(x, y))) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

void expectUntouchedOutside(const Canvas& canvas, const RECT& rect) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const POINT p{x, y};
            if (!PtInRect(&rect, p)) {
                ASSERT_EQ(canvas.at(x, y), kSentinel) << "at " << x << "," << y;
            }
        }
    }
}

TEST(LabelPainting, SingleLineIsFilledClippedAndVerticallyCentred) {
    Canvas canvas(200, 60);
    const RECT rect{10, 10, 70, 50};
    paintLabel(canvas.dc(), rect, "WWWWWWWWWWWWWWWWWWWWWWWW",
               {defaultGuiFont(), RGB(0, 0, 0), false});
    expectUntouchedOutside(canvas, rect);
    EXPECT_EQ(canvas.at(rect.left, rect.top), GetSysColor(COLOR_BTNFACE)) << "opaque";
    const auto [first, last] = inkRows(canvas, rect);
    ASSERT_GE(first, 0);
    EXPECT_LE(std::abs((first - rect.top) - (rect.bottom - 1 - last)), 3) << first << ".." << last;
    EXPECT_TRUE(isText(canvas.at(rect.right - 2, (first + last) / 2)) ||
                isText(canvas.at(rect.right - 3, (first + last) / 2)) ||
                isText(canvas.at(rect.right - 4, (first + last) / 2)))
        << "the line runs on to the right edge and is cut there";
}

TEST(LabelPainting, WordWrappedStartsAtTheTopOnSeveralLines) {
    Canvas canvas(120, 80);
    const RECT rect{0, 0, 60, 70};
    paintLabel(canvas.dc(), rect, "WW WW WW WW WW WW", {defaultGuiFont(), RGB(0, 0, 0), true});
    TEXTMETRICA metrics{};
    {
        ScopedSelectObject font(canvas.dc(), defaultGuiFont());
        GetTextMetricsA(canvas.dc(), &metrics);
    }
    const auto [first, last] = inkRows(canvas, rect);
    ASSERT_GE(first, 0);
    EXPECT_LT(first, metrics.tmHeight / 2);
    EXPECT_GT(last - first, metrics.tmHeight) << "more than one line";
    expectUntouchedOutside(canvas, rect);
}

TEST(PicturePainting, NaturalSizeIsClippedAndStretchFillsTheBox) {
    const Picture picture = Canvas::makePicture(6, 6, RGB(0, 0, 200));
    struct Case {
        bool stretch;
        POINT inside;
        POINT beyond;
        bool beyondIsPicture;
    };
    const Case cases[] = {
        {false, {5, 5}, {15, 15}, false},
        {true, {5, 5}, {15, 15}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stretch ? "stretched" : "natural size");
        Canvas canvas(40, 40);
        const RECT rect{0, 0, 20, 20};
        paintPicture(canvas.dc(), rect, &picture, c.stretch);
        EXPECT_EQ(canvas.at(c.inside.x, c.inside.y), RGB(0, 0, 200));
        EXPECT_EQ(canvas.at(c.beyond.x, c.beyond.y),
                  c.beyondIsPicture ? RGB(0, 0, 200) : GetSysColor(COLOR_BTNFACE));
        expectUntouchedOutside(canvas, rect);
    }
}

}  // namespace
}  // namespace velloran::ui
