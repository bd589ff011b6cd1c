// Stepping to the next and previous capture of a folder.
#include <gtest/gtest.h>

#include "platform/text/Text.h"
#include "tests/support/TestProgramFolder.h"
#include "utility/files/Files.h"

namespace {

class FolderWalkTest : public ::testing::Test {
  protected:
    void Make(std::initializer_list<const char*> files) const {
        for (const char* file : files) {
            testsupport::WriteFileBytes(mFolder.Path() / file, "x");
        }
    }
    std::wstring Next(const std::wstring& current) const {
        std::wstring next = L"stale";
        UTILITY_GetNextFileName(mFolder.WidePath(), current, next);
        return next;
    }
    std::wstring Previous(const std::wstring& current) const {
        std::wstring previous = L"stale";
        UTILITY_GetPrevFileName(mFolder.WidePath(), current, previous);
        return previous;
    }

    testsupport::TestProgramFolder mFolder;
};

TEST_F(FolderWalkTest, StepsOverSubFoldersAndNamesThatAreNotCaptures) {
    // "p1x.db" sorts between the two pictures and holds no upper-case P or V.
    Make({"P1.bmp", "P2.bmp", "p1x.db", "thumbnail/P1.bmp"});
    struct Case {
        const wchar_t* current;
        const wchar_t* next;
        const wchar_t* previous;
    };
    const Case cases[] = {
        {L"P1.bmp", L"P2.bmp", L""},       {L"P2.bmp", L"", L"P1.bmp"}, {L"X.bmp", L"", L"P2.bmp"},
        {L"p1x.db", L"P2.bmp", L"P1.bmp"}, {L"p1.bmp", L"", L"P2.bmp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Next(c.current), c.next) << c.current;
        EXPECT_EQ(Previous(c.current), c.previous) << c.current;
    }
}

// The directory order of the file system is arbitrary: names are sorted without regard to case,
// so "Pa" comes before "PB" although 'B' < 'a' in byte order.
TEST_F(FolderWalkTest, OrderIgnoresCase) {
    Make({"PB.bmp", "P10.bmp", "Pa.bmp", "P2.bmp", "V1.avi"});
    EXPECT_EQ(Next(L"P10.bmp"), L"P2.bmp");
    EXPECT_EQ(Next(L"P2.bmp"), L"Pa.bmp");
    EXPECT_EQ(Next(L"Pa.bmp"), L"PB.bmp");
    EXPECT_EQ(Next(L"PB.bmp"), L"V1.avi");
    EXPECT_EQ(Previous(L"V1.avi"), L"PB.bmp");
}

// Names that differ only in case come out in one fixed order, and the walk follows the listing
// that the media list shows, step by step in both directions.
TEST_F(FolderWalkTest, WalkFollowsTheListingWhenNamesDifferOnlyInCase) {
    Make({"Pa.bmp", "V1.bmp", "PA.bmp", "pA.bmp", "P2.bmp", "v1.bmp", "sub/P3.bmp"});
    const std::vector<std::wstring> listed = utility::SortedFileNames(mFolder.WidePath());
    const std::vector<std::wstring> expected = {L"P2.bmp", L"PA.bmp", L"Pa.bmp",
                                                L"pA.bmp", L"V1.bmp", L"v1.bmp"};
    ASSERT_EQ(listed, expected);
    // pA.bmp and v1.bmp hold no upper-case P or V: the walk steps over them.
    const std::vector<std::wstring> captures = {L"P2.bmp", L"PA.bmp", L"Pa.bmp", L"V1.bmp"};
    for (std::size_t i = 0; i + 1 < captures.size(); ++i) {
        EXPECT_EQ(Next(captures[i]), captures[i + 1]) << captures[i];
        EXPECT_EQ(Previous(captures[i + 1]), captures[i]) << captures[i + 1];
    }
}

TEST_F(FolderWalkTest, MissingFolderGivesEmptyNames) {
    std::wstring name = L"stale";
    UTILITY_GetNextFileName(mFolder.WidePath() + L"/missing", L"P1.bmp", name);
    EXPECT_EQ(name, L"");
    name = L"stale";
    UTILITY_GetPrevFileName(mFolder.WidePath() + L"/missing", L"P1.bmp", name);
    EXPECT_EQ(name, L"");
}

}  // namespace
