// Bitmaps and drawing: raw pixel buffers in and out, strict .bmp loading, half-tone
// stretching, pens and copies on a memory surface.
#include <gtest/gtest.h>

#include <vector>

#include "platform/text/Text.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/testing/UiTesting.h"
#include "tests/support/TestProgramFolder.h"

namespace {

class DrawingTest : public ui::testing::UiTest {};

TEST_F(DrawingTest, BottomUpBufferBecomesTopDownPicture) {
    // 3 x 2 pixels, 24 bits: rows of 9 bytes padded to 12, the bottom row first.
    std::vector<std::byte> pixels(24);
    pixels[0] = std::byte{0xFF};   // bottom-left: blue
    pixels[14] = std::byte{0xFF};  // top-left: red
    ui::Bitmap bitmap = ui::Bitmap::FromDib(3, 2, 24, pixels);
    ASSERT_FALSE(bitmap.IsNull());
    EXPECT_EQ(bitmap.Pixel(0, 1), ui::Rgb(0, 0, 255));
    EXPECT_EQ(bitmap.Pixel(0, 0), ui::Rgb(255, 0, 0));
    EXPECT_EQ(bitmap.Row24(0).size(), 9u);

    EXPECT_TRUE(ui::Bitmap::FromDib(3, 2, 24, std::span(pixels).first(23)).IsNull());
    EXPECT_TRUE(ui::Bitmap::FromDib(0, 2, 24, pixels).IsNull());
    EXPECT_TRUE(ui::Bitmap::FromDib(3, 2, 0, pixels).IsNull());
}

TEST_F(DrawingTest, BmpLoadingRefusesOtherFormatsWhateverTheName) {
    testsupport::TestProgramFolder folder;
    ui::Bitmap picture(40, 30, ui::Rgb(10, 200, 30));
    const std::wstring jpegNamedBmp = folder.WidePath() + L"/photo.bmp";
    const std::wstring jpeg = folder.WidePath() + L"/photo.jpg";
    ASSERT_TRUE(picture.SaveImageFile(jpeg));
    std::filesystem::copy_file(text::ToPath(jpeg), text::ToPath(jpegNamedBmp));

    EXPECT_TRUE(ui::Bitmap::LoadBmpFile(jpegNamedBmp).IsNull());
    EXPECT_TRUE(ui::Bitmap::LoadBmpFile(folder.WidePath() + L"/missing.bmp").IsNull());
    EXPECT_EQ(ui::Bitmap::LoadImageFile(jpegNamedBmp).Dimensions(), (ui::Size{40, 30}));
}

// A current phone's 48-megapixel photo decodes, past the image library's default limit.
TEST_F(DrawingTest, LargePhotoLoads) {
    testsupport::TestProgramFolder folder;
    const std::wstring jpeg = folder.WidePath() + L"/phone.jpg";
    ASSERT_TRUE(ui::Bitmap(8000, 6000, ui::Rgb(90, 60, 30)).SaveImageFile(jpeg));
    EXPECT_EQ(ui::Bitmap::LoadImageFile(jpeg).Dimensions(), (ui::Size{8000, 6000}));
}

TEST_F(DrawingTest, HalfToneStretchAveragesAreas) {
    ui::Bitmap checker(4, 4, ui::Rgb(0, 0, 0));
    {
        ui::DrawContext dc(checker);
        dc.FillRect({0, 0, 2, 4}, ui::Rgb(200, 100, 0));
    }
    const ui::Bitmap small = checker.Stretched(2, 1);
    EXPECT_EQ(small.Pixel(0, 0), ui::Rgb(200, 100, 0));
    EXPECT_EQ(small.Pixel(1, 0), ui::Rgb(0, 0, 0));
    const ui::Bitmap one = checker.Stretched(1, 1);
    EXPECT_NEAR(one.Pixel(0, 0).red, 100, 2);
}

TEST_F(DrawingTest, HalfToneShrinkWeighsPartlyCoveredPixels) {
    // Three columns 0, 90, 180 shrunk to two: each target pixel covers one and a half source
    // pixels, the middle one half each. 24-bit (camera buffers) and 32-bit (memory surfaces)
    // sources alike; growing a side is left to plain smoothing.
    std::vector<std::byte> dib(12);
    for (int x = 0; x < 3; ++x) {
        dib[x * 3 + 2] = static_cast<std::byte>(x * 90);
    }
    ui::Bitmap surface(3, 1);
    {
        ui::DrawContext dc(surface);
        for (int x = 0; x < 3; ++x) {
            dc.FillRect({x, 0, x + 1, 1}, ui::Rgb(static_cast<uint8_t>(x * 90), 0, 0));
        }
    }
    for (const ui::Bitmap& source : {ui::Bitmap::FromDib(3, 1, 24, dib), surface}) {
        const ui::Bitmap two = source.Stretched(2, 1);
        EXPECT_EQ(two.Pixel(0, 0), ui::Rgb(30, 0, 0));
        EXPECT_EQ(two.Pixel(1, 0), ui::Rgb(150, 0, 0));
        EXPECT_EQ(source.Stretched(1, 1).Pixel(0, 0), ui::Rgb(90, 0, 0));
        EXPECT_EQ(source.Stretched(3, 1).Pixel(2, 0), ui::Rgb(180, 0, 0));
        EXPECT_EQ(source.Stretched(2, 2).Dimensions(), (ui::Size{2, 2}));
    }
}

TEST_F(DrawingTest, RectanglesTextAndCopiesOnAMemorySurface) {
    ui::Bitmap surface(60, 40, ui::Rgb(66, 68, 79));
    {
        ui::DrawContext dc(surface);
        dc.SetBrush(ui::Rgb(66, 68, 79));
        dc.SetPen(ui::Rgb(255, 0, 0), 2);
        dc.DrawRectangle({10, 10, 30, 30});
        dc.CopyBits(40, 10, 20, 20, 10, 10);
        dc.SetFont({L"Courier New", 150});
        EXPECT_GT(dc.MeasureText(L"Sorvanti").width, dc.MeasureText(L"S").width * 7);
    }
    EXPECT_EQ(surface.Pixel(10, 20), ui::Rgb(255, 0, 0));
    EXPECT_EQ(surface.Pixel(11, 20), ui::Rgb(255, 0, 0));
    EXPECT_EQ(surface.Pixel(12, 20), ui::Rgb(66, 68, 79));
    EXPECT_EQ(surface.Pixel(29, 20), ui::Rgb(255, 0, 0));
    EXPECT_EQ(surface.Pixel(41, 20), ui::Rgb(255, 0, 0));
}

}  // namespace
