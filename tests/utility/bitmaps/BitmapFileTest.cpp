// Saving bitmaps as .bmp files: the layout byte for byte, row padding, thumbnails, and a short
// write that must not leave a file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>

#include "platform/text/Text.h"
#include "platform/ui/testing/UiTesting.h"
#include "tests/support/TestProgramFolder.h"
#include "utility/bitmaps/Bitmaps.h"

namespace {

uint32_t Field(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    }
    return value;
}

class BitmapFileTest : public ui::testing::UiTest {
  protected:
    testsupport::TestProgramFolder mFolder;
    std::wstring PathOf(const wchar_t* name) { return mFolder.WidePath() + L"/" + name; }
};

TEST_F(BitmapFileTest, FullHdStillIsA24BitFileOfTheExactSize) {
    const ui::Bitmap still(1920, 1080, ui::Rgb(1, 2, 3));
    ASSERT_TRUE(UTILITY_SaveBitmapFile(still, PathOf(L"P1.bmp")));
    const std::string file = testsupport::ReadFileBytes(mFolder.Path() / "P1.bmp");
    ASSERT_EQ(file.size(), 6220854u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(Field(file, 2, 4), 6220854u);
    EXPECT_EQ(Field(file, 6, 4), 0u);
    EXPECT_EQ(Field(file, 10, 4), 54u);
    EXPECT_EQ(Field(file, 14, 4), 40u);
    EXPECT_EQ(Field(file, 18, 4), 1920u);
    EXPECT_EQ(Field(file, 22, 4), 1080u);
    EXPECT_EQ(Field(file, 26, 2), 1u);
    EXPECT_EQ(Field(file, 28, 2), 24u);
    for (size_t at = 30; at < 54; at += 4) {
        EXPECT_EQ(Field(file, at, 4), 0u) << "field at " << at;
    }
    EXPECT_EQ(file.substr(54, 3), std::string("\x03\x02\x01", 3));  // blue, green, red
}

TEST_F(BitmapFileTest, RowsArePaddedWithZerosAndStoredBottomUp) {
    ui::Bitmap picture(161, 2, ui::Rgb(255, 255, 255));
    {
        ui::DrawContext dc(picture);
        dc.FillRect({0, 1, 161, 2}, ui::Rgb(10, 20, 30));  // the bottom row
    }
    ASSERT_TRUE(UTILITY_SaveBitmapFile(picture, PathOf(L"wide.bmp")));
    const std::string file = testsupport::ReadFileBytes(mFolder.Path() / "wide.bmp");
    ASSERT_EQ(file.size(), 54u + 2 * 484);
    EXPECT_EQ(file.substr(54, 3), std::string("\x1e\x14\x0a", 3));
    EXPECT_EQ(file[54 + 483], '\0');
    EXPECT_EQ(file.substr(54 + 484, 3), "\xff\xff\xff");
    EXPECT_EQ(file[54 + 484 + 483], '\0');
    EXPECT_EQ(UTILITY_LoadBitmapFile(PathOf(L"wide.bmp")).Pixel(5, 1), ui::Rgb(10, 20, 30));
}

TEST_F(BitmapFileTest, ThumbnailIsAHalfToneCopyOfTheTargetSize) {
    ui::Bitmap still(1920, 1080, ui::Rgb(0, 0, 0));
    {
        ui::DrawContext dc(still);
        dc.FillRect({0, 0, 960, 1080}, ui::Rgb(200, 200, 200));
    }
    ASSERT_TRUE(
        UTILITY_SaveScaledBitmapFile(nullptr, still, PathOf(L"thumb.bmp"), 1920, 1080, 160, 90));
    const ui::Bitmap thumbnail = UTILITY_LoadBitmapFile(PathOf(L"thumb.bmp"));
    EXPECT_EQ(thumbnail.Dimensions(), (ui::Size{160, 90}));
    EXPECT_EQ(thumbnail.Pixel(10, 45), ui::Rgb(200, 200, 200));
    EXPECT_EQ(thumbnail.Pixel(150, 45), ui::Rgb(0, 0, 0));
}

TEST_F(BitmapFileTest, FailedSavesReportFalseAndLeaveNoFile) {
    const ui::Bitmap still(1920, 1080);
    EXPECT_FALSE(UTILITY_SaveBitmapFile(still, PathOf(L"missing/P1.bmp")));

    // A full disk: the file may grow to 1 MB only.
    struct rlimit previous {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    struct rlimit small = previous;
    small.rlim_cur = 1 << 20;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = UTILITY_SaveBitmapFile(still, PathOf(L"P2.bmp"));
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(std::filesystem::exists(mFolder.Path() / "P2.bmp"));
}

TEST_F(BitmapFileTest, BuffersAndFilesThatAreNotPictures) {
    const std::byte pixels[16] = {};
    EXPECT_TRUE(UTILITY_CreateBitmapFromBuffer(nullptr, 0, 2, 24, pixels, 12).IsNull());
    EXPECT_TRUE(UTILITY_CreateBitmapFromBuffer(nullptr, 2, 2, 0, pixels, 12).IsNull());
    EXPECT_TRUE(UTILITY_CreateBitmapFromBuffer(nullptr, 4, 4, 24, pixels, 12).IsNull());
    EXPECT_EQ(UTILITY_CreateBitmapFromBuffer(nullptr, 2, 2, 24, pixels, 16).Width(), 2);

    ui::Bitmap(8, 8).SaveImageFile(PathOf(L"photo.jpg"));
    std::filesystem::rename(mFolder.Path() / "photo.jpg", mFolder.Path() / "photo.bmp");
    EXPECT_TRUE(UTILITY_LoadBitmapFile(PathOf(L"photo.bmp")).IsNull());

    int32_t width = 0, height = 0;
    UTILITY_GetBitmapResourceSize(9305, width, height);
    EXPECT_EQ(width, 76);
    EXPECT_EQ(height, 27);
}

}  // namespace
