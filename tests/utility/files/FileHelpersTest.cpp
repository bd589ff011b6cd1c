// The small helpers: program folder, file test, path pieces, date strings and number texts.
#include <gtest/gtest.h>

#include "platform/text/Text.h"
#include "tests/support/TestProgramFolder.h"
#include "utility/files/Files.h"

namespace {

TEST(FileHelpers, ModuleFolderIsTheProgramFolderWithoutTrailingSeparator) {
    testsupport::TestProgramFolder folder;
    std::wstring moduleFolder;
    UTILITY_GetModuleFolder(moduleFolder);
    EXPECT_EQ(moduleFolder, folder.WidePath());
    EXPECT_NE(moduleFolder.back(), L'/');
}

TEST(FileHelpers, FileExistsForFilesAndFolders) {
    testsupport::TestProgramFolder folder;
    testsupport::WriteFileBytes(folder.Path() / "P1.bmp", "x");
    EXPECT_TRUE(UTILITY_FileExists(folder.WidePath() + L"/P1.bmp"));
    EXPECT_TRUE(UTILITY_FileExists(folder.WidePath()));
    EXPECT_FALSE(UTILITY_FileExists(folder.WidePath() + L"/P2.bmp"));
}

TEST(FileHelpers, PathPieces) {
    struct Case {
        const wchar_t* path;
        const wchar_t* title;
        const wchar_t* withoutExtension;
        const wchar_t* lastFolder;
    };
    const Case cases[] = {
        {L"/a/P1603071.bmp", L"P1603071", L"/a/P1603071", L"P1603071.bmp"},
        {L"/a.b/file", L"", L"/a", L"file"},
        {L"P1.tar.gz", L"P1.tar", L"P1.tar", L"P1.tar.gz"},
        {L"/db/5/images//", L"", L"", L"images"},
        {L"name", L"", L"", L"name"},
        {L"", L"", L"", L""},
    };
    for (const auto& c : cases) {
        std::wstring title = L"stale", stem = L"stale", last = L"stale";
        UTILITY_GetFileTitle(c.path, title);
        UTILITY_RemoveExtension(c.path, stem);
        UTILITY_GetLastFolderName(c.path, last);
        EXPECT_EQ(title, c.title) << c.path;
        EXPECT_EQ(stem, c.withoutExtension) << c.path;
        EXPECT_EQ(last, c.lastFolder) << c.path;
    }
}

TEST(FileHelpers, DateStrings) {
    std::tm time{};
    time.tm_year = 2016 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 7;
    time.tm_hour = 14;
    time.tm_min = 5;
    time.tm_sec = 5;
    std::wstring date, dateTime;
    UTILITY_GetDateString(time, date);
    UTILITY_GetDateTimeString(time, dateTime);
    EXPECT_EQ(date, L"3/7/2016");
    EXPECT_EQ(dateTime, L"03072016:140505");
}

TEST(FileHelpers, NumberTexts) {
    struct Case {
        const wchar_t* text;
        int32_t decimal;
        int32_t hexadecimal;
    };
    const Case cases[] = {
        {L"12a4", 1204, 0x12A4},
        {L"1a2b", 1020, 0x1A2B},
        {L"ffff", 0, 65535},
        {L"0042", 42, 0x42},
        {L"99999999", 99999999, static_cast<int32_t>(0x99999999u)},
        {L"FFFFFFFF", 0, -1},
        {L"123456789", 0, 0},
        {L"", 0, 0},
        {L"1g", 10, 0x10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UTILITY_DecStringToInt(c.text), c.decimal) << c.text;
        EXPECT_EQ(UTILITY_HexStringToInt(c.text), c.hexadecimal) << c.text;
    }
}

TEST(FileHelpers, MultiByteToWideMapsEachByteAndStopsAtZero) {
    std::wstring wide;
    EXPECT_EQ(UTILITY_MultiByteToWide(wide, "CAM\xE9"), 0);
    EXPECT_EQ(wide, L"CAM\u00E9");
    const char identity[8] = {'C', 'A', 'M', '0', '0', '0', '0', '1'};
    UTILITY_MultiByteToWide(wide, std::string_view(identity, sizeof identity));
    EXPECT_EQ(wide, L"CAM00001");
    UTILITY_MultiByteToWide(wide, std::string_view("AB\0CD", 5));
    EXPECT_EQ(wide, L"AB");
}

}  // namespace
