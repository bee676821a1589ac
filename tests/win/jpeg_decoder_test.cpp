#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "ui/picture.h"

namespace velloran::ui {
namespace {

std::span<const unsigned char> testResource(int id) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    HGLOBAL loaded = info ? LoadResource(nullptr, info) : nullptr;
    if (!loaded) {
        return {};
    }
    return {static_cast<const unsigned char*>(LockResource(loaded)),
            static_cast<std::size_t>(SizeofResource(nullptr, info))};
}

struct Rgb {
    int red, green, blue;
};

Rgb pixelAt(const Picture& picture, int x, int y) {
    DIBSECTION section{};
    GetObjectA(picture.bitmap.get(), sizeof section, &section);
    const auto* row = static_cast<const std::uint8_t*>(section.dsBm.bmBits) +
                      static_cast<std::ptrdiff_t>(y) * section.dsBm.bmWidthBytes;
    return {row[x * 4 + 2], row[x * 4 + 1], row[x * 4]};
}

TEST(JpegDecoding, CreditPictureDecodesToThirtyTwoBitsYellowOnWhite) {
    const auto data = testResource(110);
    ASSERT_FALSE(data.empty());
    const auto picture = decodeJpeg(data);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 117);
    EXPECT_EQ(picture->height, 164);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(picture->bitmap.get(), sizeof section, &section), int{sizeof section});
    EXPECT_EQ(section.dsBmih.biBitCount, 32);

    for (const auto& [x, y] : {std::pair{0, 0}, {116, 0}, {0, 163}, {116, 163}}) {
        const Rgb corner = pixelAt(*picture, x, y);
        EXPECT_GT(corner.red + corner.green + corner.blue, 3 * 240) << x << "," << y;
    }
    int yellow = 0;
    for (int y = 0; y < picture->height; ++y) {
        for (int x = 0; x < picture->width; ++x) {
            const Rgb p = pixelAt(*picture, x, y);
            yellow += p.red > 200 && p.green > 150 && p.blue < 100;
        }
    }
    EXPECT_GT(yellow, 100);
}

TEST(JpegDecoding, DataThatIsNoJpegGivesNoPicture) {
    const std::string_view cases[] = {"", "not a picture at all", "GIF89a\x01\x00\x01\x00",
                                      "\xFF\xD8\xFF"};
    for (const std::string_view bytes : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        EXPECT_FALSE(decodeJpeg(std::span(data, bytes.size())));
    }
}

}  // namespace
}  // namespace velloran::ui
