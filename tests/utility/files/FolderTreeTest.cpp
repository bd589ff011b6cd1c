// Copying and deleting folder trees: what arrives, what is reported, what is never touched.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text/Text.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/Unprivileged.h"
#include "utility/files/Files.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

class FolderTreeTest : public ::testing::Test {
  protected:
    fs::path At(const char* relative) const { return mFolder.Path() / relative; }
    std::wstring Wide(const char* relative) const { return text::FromPath(At(relative)); }
    // Every path below `folder`, relative to it, sorted.
    std::vector<std::string> Tree(const char* folder) const {
        std::vector<std::string> paths;
        for (const auto& entry : fs::recursive_directory_iterator(At(folder))) {
            paths.push_back(entry.path().lexically_relative(At(folder)).string());
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    testsupport::TestProgramFolder mFolder;
};

TEST_F(FolderTreeTest, CopyBringsEveryFileAndCreatesSubFolders) {
    WriteFileBytes(At("x/a.bmp"), "picture a");
    WriteFileBytes(At("x/sub/b.bmp"), "picture b");
    WriteFileBytes(At("y/a.bmp"), "older a");
    std::vector<std::wstring> failed;
    EXPECT_TRUE(UTILITY_CopyFolder(Wide("x") + L"//", Wide("y"), failed));
    EXPECT_TRUE(failed.empty());
    EXPECT_EQ(Tree("y"), (std::vector<std::string>{"a.bmp", "sub", "sub/b.bmp"}));
    EXPECT_EQ(ReadFileBytes(At("y/a.bmp")), "picture a");
    EXPECT_EQ(ReadFileBytes(At("y/sub/b.bmp")), "picture b");
}

TEST_F(FolderTreeTest, CopyOfAMissingSourceDoesNothing) {
    fs::create_directories(At("y"));
    EXPECT_TRUE(UTILITY_CopyFolder(Wide("x"), Wide("y")));
    EXPECT_TRUE(Tree("y").empty());
}

// A source file that cannot be read is reported, the rest is copied, and the file of that name
// already at the destination stays as it was.
TEST_F(FolderTreeTest, CopyReportsWhatItCouldNotCopyAndKeepsTheDestinationFile) {
    WriteFileBytes(At("x/a.bmp"), "picture a");
    fs::create_symlink(At("nowhere.bmp"), At("x/b.bmp"));
    WriteFileBytes(At("x/sub/c.bmp"), "picture c");
    WriteFileBytes(At("y/b.bmp"), "filed b");
    WriteFileBytes(At("y/sub"), "a file where a folder belongs");
    std::vector<std::wstring> failed;
    EXPECT_FALSE(UTILITY_CopyFolder(Wide("x"), Wide("y"), failed));
    std::sort(failed.begin(), failed.end());
    EXPECT_EQ(failed, (std::vector<std::wstring>{Wide("x/b.bmp"), Wide("x/sub/c.bmp")}));
    EXPECT_EQ(ReadFileBytes(At("y/a.bmp")), "picture a");
    EXPECT_EQ(ReadFileBytes(At("y/b.bmp")), "filed b");
    EXPECT_EQ(Tree("y"), (std::vector<std::string>{"a.bmp", "b.bmp", "sub"}));
}

TEST_F(FolderTreeTest, DeleteRemovesTheWholeTreeAndIsTrueForAMissingFolder) {
    WriteFileBytes(At("5/images/P1.bmp"), "p");
    WriteFileBytes(At("5/images/thumbnail/P1.bmp"), "t");
    WriteFileBytes(At("5/videos/V1.avi"), "v");
    EXPECT_TRUE(UTILITY_DeleteFolder(Wide("5") + L"/"));
    EXPECT_FALSE(fs::exists(At("5")));
    EXPECT_TRUE(UTILITY_DeleteFolder(Wide("5")));
}

TEST_F(FolderTreeTest, DeleteRemovesLinksWithoutFollowingThem) {
    WriteFileBytes(At("elsewhere/keep.bmp"), "other patient");
    WriteFileBytes(At("5/images/P1.bmp"), "p");
    fs::create_directory_symlink(At("elsewhere"), At("5/images/linked"));
    fs::create_symlink(At("elsewhere/keep.bmp"), At("5/file-link.bmp"));
    fs::create_directory_symlink(At("elsewhere"), At("6"));

    EXPECT_TRUE(UTILITY_DeleteFolder(Wide("5")));
    EXPECT_TRUE(UTILITY_DeleteFolder(Wide("6")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(At("5"))));
    EXPECT_FALSE(fs::exists(fs::symlink_status(At("6"))));
    EXPECT_EQ(ReadFileBytes(At("elsewhere/keep.bmp")), "other patient");
}

TEST_F(FolderTreeTest, DeleteReportsAFolderThatStays) {
    testsupport::Unprivileged unprivileged(mFolder.Path());
    if (!unprivileged.Enforced()) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    WriteFileBytes(At("5/images/P1.bmp"), "held");
    WriteFileBytes(At("5/videos/V1.avi"), "v");
    fs::permissions(At("5/images"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(UTILITY_DeleteFolder(Wide("5")));
    EXPECT_EQ(Tree("5"), (std::vector<std::string>{"images", "images/P1.bmp"}));
    fs::permissions(At("5/images"), fs::perms::owner_all);
}

TEST_F(FolderTreeTest, DeleteLeavesAFileThatIsNotAFolder) {
    WriteFileBytes(At("notes.txt"), "n");
    EXPECT_FALSE(UTILITY_DeleteFolder(Wide("notes.txt")));
    EXPECT_TRUE(fs::exists(At("notes.txt")));
}

}  // namespace
