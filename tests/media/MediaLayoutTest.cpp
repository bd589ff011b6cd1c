#include "media/MediaLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(MediaLayout, FoldersFollowTheTree) {
    const std::wstring program = L"/opt/sorvanti";
    EXPECT_EQ(media::PatientImagesFolder(program, 12), L"/opt/sorvanti/database/12/images/");
    EXPECT_EQ(media::PatientVideosFolder(program, 12), L"/opt/sorvanti/database/12/videos/");
    EXPECT_EQ(media::PatientThumbnailFolder(program, 12),
              L"/opt/sorvanti/database/12/images/thumbnail/");
    EXPECT_EQ(media::PatientFolder(program, 12), L"/opt/sorvanti/database/12");
    EXPECT_EQ(media::IdPhotoPath(program, 12), L"/opt/sorvanti/database/id_photo/12.bmp");
    EXPECT_EQ(media::TempImagesFolder(program), L"/opt/sorvanti/database/Temp/images/");
    EXPECT_EQ(media::TempVideosFolder(program), L"/opt/sorvanti/database/Temp/videos/");
    EXPECT_EQ(media::TempThumbnailFolder(program),
              L"/opt/sorvanti/database/Temp/images/thumbnail/");
    EXPECT_EQ(media::CommitImagesFolder(program, L"7"), L"/opt/sorvanti/database/7/images/");
    EXPECT_EQ(media::CommitVideosFolder(program, L"7"), L"/opt/sorvanti/database/7/videos/");
}

TEST(MediaLayout, CaptureNamesCarryKindTimeAndRunningDigit) {
    std::tm time{};
    time.tm_year = 115, time.tm_mon = 11, time.tm_mday = 31;
    time.tm_hour = 18, time.tm_min = 45, time.tm_sec = 7;
    int stills = 0;
    EXPECT_EQ(media::StillName(time, media::NextRunningDigit(stills)), L"P1512311845071");
    time.tm_min = 46, time.tm_sec = 0;
    int clips = 1;
    EXPECT_EQ(media::ClipName(time, media::NextRunningDigit(clips)), L"V1512311846002");

    int counter = 0;
    std::wstring digits;
    for (int i = 0; i < 11; ++i) {
        digits += std::to_wstring(media::NextRunningDigit(counter));
    }
    EXPECT_EQ(digits, L"12345678901");
}

TEST(MediaLayout, MediaAndVideoNamesAreRecognisedWithCase) {
    struct Case {
        const wchar_t* name;
        bool media, video, beginsAsVideo;
    };
    const Case cases[] = {
        {L"P1512311845071.bmp", true, false, false},
        {L"V1512311846002.bmp", true, true, true},
        {L"Plan.txt", true, false, false},
        {L"x1.BMP", true, false, false},  // the P of the extension counts
        {L"readme.txt", false, false, false},
        {L"v1512311846002.bmp", false, false, false},
        {L"Thumbs.db", false, false, false},
        {L"AVI.bmp", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        EXPECT_EQ(media::CountsAsMedia(c.name), c.media);
        EXPECT_EQ(media::IsVideoName(c.name), c.video);
        EXPECT_EQ(media::BeginsAsVideo(c.name), c.beginsAsVideo);
    }
}

}  // namespace
