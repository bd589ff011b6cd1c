// The image browser's rules without a window: which captures fill the slots and which slot is
// selected, Comment on an empty slot, Delete and its failure, and which slots play a clip.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>

#include "platform/text/Text.h"
#include "review/ImageBrowserWorkflow.h"
#include "tests/review/PatientCaptures.h"

namespace {

using reviewtest::PatientCaptures;
using reviewtest::ScriptedPrompts;
using Slots = std::array<std::string, 4>;

const ui::Color kGrey = ui::Rgb(128, 128, 128);

class ImageBrowserWorkflowTest : public ::testing::Test {
  protected:
    // The slots' file names (empty for a slot without path).
    Slots SlotNames(const ImageBrowserWorkflow& browser) const {
        Slots names;
        for (size_t i = 0; i < names.size(); ++i) {
            const std::wstring& path = browser.SlotPaths()[i];
            names[i] =
                path.empty() ? "" : text::ToUtf8(path.substr(mCaptures.ImageFolder().size()));
        }
        return names;
    }
    void AddSix() {
        for (const char* name : {"P1.bmp", "P2.bmp", "P3.bmp", "P4.bmp", "P5.bmp", "P6.bmp"}) {
            mCaptures.Add(name, kGrey);
        }
    }

    PatientCaptures mCaptures;
    ScriptedPrompts mPrompts;
    ImageBrowserWorkflow mBrowser{mCaptures.Context(), mPrompts};
};

TEST_F(ImageBrowserWorkflowTest, SlotsShowTheLastFourMediaFilesAndSelectTheLatest) {
    const struct {
        const char* what;
        std::vector<std::string> files;
        std::vector<std::string> folders;
        int32_t count;
        Slots slots;
        int32_t selected;
    } cases[] = {
        {"one", {"P1.bmp"}, {}, 1, {"P1.bmp", "", "", ""}, 0},
        {"two", {"P1.bmp", "V2.bmp"}, {}, 2, {"P1.bmp", "V2.bmp", "", ""}, 1},
        {"three", {"P1.bmp", "P2.bmp", "P3.bmp"}, {}, 3, {"P1.bmp", "P2.bmp", "P3.bmp", ""}, 2},
        {"six",
         {"P4.bmp", "P2.bmp", "P6.bmp", "P1.bmp", "P5.bmp", "P3.bmp"},
         {},
         6,
         {"P3.bmp", "P4.bmp", "P5.bmp", "P6.bmp"},
         3},
        // Lower-case names and folders do not count, any name with an upper-case P or V does,
        // also in the extension; the folder order ignores case.
        {"counting",
         {"p1.bmp", "Plan.txt", "x1.BMP", "P2.bmp", "notes.txt"},
         {"Photos", "V3.bmp"},
         3,
         {"P2.bmp", "Plan.txt", "x1.BMP", ""},
         2},
        // A media name of four characters or fewer takes its slot without a path.
        {"short name", {"P1.bmp", "V1"}, {}, 2, {"P1.bmp", "", "", ""}, 1},
        {"empty", {}, {}, 0, {"", "", "", ""}, ImageBrowserWorkflow::kNoSelection},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(mCaptures.Images());
        std::filesystem::create_directories(mCaptures.Thumbnails());
        for (const std::string& file : c.files) {
            testsupport::WriteFileBytes(mCaptures.Images() / file, "not read here");
        }
        for (const std::string& folder : c.folders) {
            std::filesystem::create_directories(mCaptures.Images() / folder);
        }
        testsupport::WriteFileBytes(mCaptures.Thumbnails() / "P9.bmp", "thumbnails never count");
        EXPECT_EQ(mBrowser.LoadImageSlots(), c.count);
        EXPECT_EQ(SlotNames(mBrowser), c.slots);
        EXPECT_EQ(mBrowser.SelectedSlot(), c.selected);
    }
}

TEST_F(ImageBrowserWorkflowTest, MissingFolderFindsNothing) {
    ImageBrowserWorkflow browser(
        {mCaptures.Store(), 3, mCaptures.ImageFolder() + L"missing/", mCaptures.VideoFolder()},
        mPrompts);
    EXPECT_EQ(browser.LoadImageSlots(), 0);
    EXPECT_EQ(browser.SelectedSlot(), ImageBrowserWorkflow::kNoSelection);
}

TEST_F(ImageBrowserWorkflowTest, CommentTakesTheSelectedSlotsPathAndRefusesAnEmptySlot) {
    mCaptures.Add("P1.bmp", kGrey);
    mBrowser.LoadImageSlots();
    EXPECT_EQ(mBrowser.CommentPath(), mCaptures.PicturePath("P1.bmp"));
    mBrowser.SelectSlot(1);
    EXPECT_EQ(mBrowser.CommentPath(), std::nullopt);
    EXPECT_EQ(mPrompts.said, std::vector<std::wstring>{L"Empty file."});
}

TEST_F(ImageBrowserWorkflowTest, DeleteOfTheSelectedSlotKeepsTheOthersAndTheSelection) {
    AddSix();
    mBrowser.LoadImageSlots();
    mPrompts.answers = {false};
    EXPECT_EQ(mBrowser.DeleteSelected(), DeleteOutcome::kNotConfirmed);
    EXPECT_EQ(SlotNames(mBrowser), (Slots{"P3.bmp", "P4.bmp", "P5.bmp", "P6.bmp"}));
    EXPECT_TRUE(mCaptures.HasPicture("P6") && mCaptures.HasThumbnail("P6"));
    EXPECT_TRUE(mCaptures.HasRow(L"P6"));

    mPrompts.answers = {true};
    EXPECT_EQ(mBrowser.DeleteSelected(), DeleteOutcome::kDeleted);
    EXPECT_EQ(mPrompts.asked,
              std::vector<std::wstring>(2, L"Are you sure want to delete this image ?"));
    EXPECT_EQ(SlotNames(mBrowser), (Slots{"P3.bmp", "P4.bmp", "P5.bmp", ""}));
    EXPECT_EQ(mBrowser.SelectedSlot(), 3);
    EXPECT_FALSE(mCaptures.HasPicture("P6") || mCaptures.HasThumbnail("P6"));
    EXPECT_FALSE(mCaptures.HasRow(L"P6"));
    EXPECT_TRUE(mCaptures.HasPicture("P5") && mCaptures.HasRow(L"P5"));
    EXPECT_TRUE(mPrompts.said.empty());
}

TEST_F(ImageBrowserWorkflowTest, DeleteLeavesTheClipOfAVideo) {
    mCaptures.Add("V1603071.bmp", kGrey);
    mBrowser.LoadImageSlots();
    mPrompts.answers = {true};
    EXPECT_EQ(mBrowser.DeleteSelected(), DeleteOutcome::kDeleted);
    EXPECT_FALSE(mCaptures.HasPicture("V1603071") || mCaptures.HasThumbnail("V1603071"));
    EXPECT_FALSE(mCaptures.HasRow(L"V1603071"));
    EXPECT_TRUE(mCaptures.HasClip("V1603071"));
}

TEST(ImageBrowserDeleteFailureTest, PictureThatCannotBeDeletedKeepsItsRowsAndSlot) {
    PatientCaptures captures(PatientCaptures::User::kUnprivileged);
    if (!captures.PermissionsEnforced()) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    captures.Add("P1.bmp", kGrey, true, L"keep me");
    ScriptedPrompts prompts;
    ImageBrowserWorkflow browser(captures.Context(), prompts);
    browser.LoadImageSlots();
    ::chmod(captures.Images().c_str(), 0555);
    prompts.answers = {true};
    EXPECT_EQ(browser.DeleteSelected(), DeleteOutcome::kFailed);
    ::chmod(captures.Images().c_str(), 0755);
    EXPECT_EQ(prompts.said, std::vector<std::wstring>{L"Delete fail."});
    EXPECT_EQ(browser.SlotPaths()[0], captures.PicturePath("P1.bmp"));
    EXPECT_TRUE(captures.HasPicture("P1") && captures.HasThumbnail("P1"));
    ASSERT_EQ(captures.Rows(L"P1").size(), 1u);
    EXPECT_EQ(captures.Rows(L"P1")[0].comment, L"keep me");
}

TEST_F(ImageBrowserWorkflowTest, OnlyAVideoSlotPlaysItsClip) {
    reviewtest::RecordingPlayer player(mCaptures.Folder());
    mCaptures.Add("P1603071.bmp", kGrey);
    mCaptures.Add("V1603071.bmp", kGrey);
    mBrowser.LoadImageSlots();
    EXPECT_FALSE(mBrowser.PlayClip(0));
    EXPECT_FALSE(mBrowser.PlayClip(2)) << "an empty slot";
    EXPECT_TRUE(mBrowser.PlayClip(1));
    EXPECT_EQ(player.WaitForArguments(1),
              std::vector<std::string>{text::ToUtf8(mCaptures.VideoFolder()) + "V1603071.avi"});
}

}  // namespace
