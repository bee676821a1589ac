#include <gtest/gtest.h>
#include <ole2.h>

#include <cstdint>
#include <span>

#include "ui/picture.h"

namespace velloran::ui {
namespace {

std::span<const unsigned char> testResource(int id) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_RCDATA);
    HGLOBAL loaded = info ? LoadResource(nullptr, info) : nullptr;
    if (loaded == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(LockResource(loaded)),
            static_cast<std::size_t>(SizeofResource(nullptr, info))};
}

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb&) const = default;
};

Rgb pixelAt(const Picture& picture, int x, int y) {
    DIBSECTION section{};
    if (GetObjectA(picture.bitmap.get(), sizeof section, &section) != sizeof section) {
        return {-1, -1, -1};
    }
    const auto* row = static_cast<const std::uint8_t*>(section.dsBm.bmBits) +
                      static_cast<std::ptrdiff_t>(y) * section.dsBm.bmWidthBytes;
    const std::uint8_t* bgrx = row + x * 4;
    return {bgrx[2], bgrx[1], bgrx[0]};
}

class GifDecoding : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

struct PixelCase {
    int x, y;
    Rgb colour;
};

struct GifCase {
    int resource;
    int width, height;
    std::initializer_list<PixelCase> pixels;
};

TEST_F(GifDecoding, DecodesTheCompletionPicturesToTopDownPixels) {
    const Rgb white{255, 255, 255};
    const GifCase cases[] = {
        {101, 566, 154, {{0, 0, white}, {565, 153, white}, {515, 31, {0, 0, 0}}}},
        {102, 171, 54, {{0, 0, white}, {8, 8, {59, 111, 196}}, {20, 27, {216, 216, 216}}}},
    };
    for (const GifCase& c : cases) {
        SCOPED_TRACE(c.resource);
        std::span<const unsigned char> data = testResource(c.resource);
        ASSERT_FALSE(data.empty());
        std::optional<Picture> picture = decodeGif(data);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, c.width);
        EXPECT_EQ(picture->height, c.height);

        DIBSECTION section{};
        ASSERT_EQ(GetObjectA(picture->bitmap.get(), sizeof section, &section), sizeof section);
        EXPECT_EQ(section.dsBmih.biBitCount, 32);
        // Rows are read from the start of the bits: a bottom-up bitmap would fail here.
        for (const PixelCase& p : c.pixels) {
            EXPECT_EQ(pixelAt(*picture, p.x, p.y), p.colour) << p.x << "," << p.y;
        }
    }
}

TEST_F(GifDecoding, RefusesDataThatIsNoPicture) {
    const unsigned char noise[] = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0};
    std::span<const unsigned char> tile = testResource(102);
    EXPECT_FALSE(decodeGif({}).has_value());
    EXPECT_FALSE(decodeGif(noise).has_value());
    EXPECT_FALSE(decodeGif(tile.first(20)).has_value());
}

}  // namespace
}  // namespace velloran::ui
