#include "media/MediaLayout.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <set>

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

TEST(MediaLayout, WorkstationTagsAreShortLowerCaseAndBeginWithALetter) {
    const struct {
        const wchar_t* workstation;
        const wchar_t* tag;
    } cases[] = {
        {L"ws2", L"ws2"},
        {L"WS2.clinic.example", L"ws2"},
        {L"Surgery-Room-12", L"syroom12"},
        {L"Surgery-Room-13", L"syroom13"},
        {L"room_b", L"roomb"},
        {L"12", L"w12"},
        {L"1234567890", L"w4567890"},
        {L"Ärzte 1", L"rzte1"},
        {L"", L"ws"},
        {L"--.x", L"ws"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.workstation);
        EXPECT_EQ(media::WorkstationTag(c.workstation), c.tag);
    }
}

// Every reading of a capture name holds with a tag: the kind letter and the twelve time digits
// at the front, the running digit at the end (so the row name, the file name without its
// trailing '.', 'b', 'm', 'p', is the whole name), media and video by the upper-case letter.
// Names of different workstations never meet, nor meet untagged names.
TEST(MediaLayout, TaggedCaptureNamesKeepEveryReadingAndNeverMeet) {
    std::tm time{};
    time.tm_year = 115, time.tm_mon = 11, time.tm_mday = 31;
    time.tm_hour = 18, time.tm_min = 45, time.tm_sec = 7;
    std::set<std::wstring> names;
    for (const wchar_t* tag : {L"", L"ws", L"ws2", L"ws21", L"roomb", L"camerap", L"mm", L"w1"}) {
        for (int digit = 0; digit < 10; ++digit) {
            for (bool clip : {false, true}) {
                const std::wstring name =
                    clip ? media::ClipName(time, digit, tag) : media::StillName(time, digit, tag);
                SCOPED_TRACE(testing::Message() << name);
                EXPECT_TRUE(names.insert(name).second);
                EXPECT_EQ(name.substr(0, 13), clip ? L"V151231184507" : L"P151231184507");
                EXPECT_EQ(name.back(), static_cast<wchar_t>(L'0' + digit));
                EXPECT_EQ(std::iswdigit(name[13]) != 0, *tag == L'\0');
                const std::wstring file = name + media::kPictureExtension;
                EXPECT_EQ(file.substr(0, file.find_last_not_of(L".bmp") + 1), name);
                EXPECT_TRUE(media::CountsAsMedia(file));
                EXPECT_EQ(media::IsVideoName(name), clip);
                EXPECT_EQ(media::BeginsAsVideo(file), clip);
            }
        }
    }
}

}  // namespace
