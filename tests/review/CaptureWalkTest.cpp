// The comment and detail dialogs' capture without a window: stepping to its ends, deleting a
// capture with everything that belongs to it, and a picture that cannot be deleted.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/text/Text.h"
#include "review/CaptureWalk.h"
#include "tests/review/PatientCaptures.h"

namespace {

using reviewtest::PatientCaptures;
using reviewtest::ScriptedPrompts;

const ui::Color kGrey = ui::Rgb(128, 128, 128);

class CaptureWalkTest : public ::testing::Test {
  protected:
    CaptureWalk Walk(const std::string& name) {
        return CaptureWalk(mCaptures.Context(), name.empty() ? L"" : mCaptures.PicturePath(name),
                           mPrompts);
    }

    PatientCaptures mCaptures;
    ScriptedPrompts mPrompts;
};

TEST_F(CaptureWalkTest, PreviousAndNextStopAtTheEndsOfTheFolder) {
    for (const char* name : {"P1.bmp", "P2.bmp", "P3.bmp"}) {
        mCaptures.Add(name, kGrey);
    }
    testsupport::WriteFileBytes(mCaptures.Images() / "readme.txt", "no capture");
    CaptureWalk walk = Walk("P2.bmp");
    const struct {
        StepDirection direction;
        bool moved;
        const char* shown;
    } steps[] = {{StepDirection::kPrevious, true, "P1.bmp"},
                 {StepDirection::kPrevious, false, "P1.bmp"},
                 {StepDirection::kNext, true, "P2.bmp"},
                 {StepDirection::kNext, true, "P3.bmp"},
                 {StepDirection::kNext, false, "P3.bmp"}};
    for (const auto& step : steps) {
        EXPECT_EQ(walk.Step(step.direction), step.moved) << step.shown;
        EXPECT_EQ(walk.Path(), mCaptures.PicturePath(step.shown));
    }
    EXPECT_EQ(walk.Title(), L"P3");
}

TEST_F(CaptureWalkTest, EmptyPathNeitherStepsNorDeletes) {
    mCaptures.Add("P1.bmp", kGrey);
    CaptureWalk walk = Walk("");
    EXPECT_FALSE(walk.Step(StepDirection::kNext));
    EXPECT_FALSE(walk.Step(StepDirection::kPrevious));
    EXPECT_FALSE(walk.PlayClip());
    mPrompts.answers = {true};
    EXPECT_EQ(walk.Delete(), DeleteOutcome::kDeleted);
    EXPECT_TRUE(mCaptures.HasPicture("P1") && mCaptures.HasRow(L"P1"));
}

TEST_F(CaptureWalkTest, DeleteOfAVideoRemovesRowsPictureThumbnailAndClip) {
    mCaptures.Add("V1603071.bmp", kGrey);
    mCaptures.Add("V1603072.bmp", kGrey);
    CaptureWalk walk = Walk("V1603071.bmp");

    mPrompts.answers = {false};
    EXPECT_EQ(walk.Delete(), DeleteOutcome::kNotConfirmed);
    EXPECT_EQ(walk.Path(), mCaptures.PicturePath("V1603071.bmp"));
    EXPECT_TRUE(mCaptures.HasPicture("V1603071") && mCaptures.HasClip("V1603071"));

    mPrompts.answers = {true};
    EXPECT_EQ(walk.Delete(), DeleteOutcome::kDeleted);
    EXPECT_EQ(walk.Path(), L"");
    EXPECT_FALSE(mCaptures.HasPicture("V1603071"));
    EXPECT_FALSE(mCaptures.HasThumbnail("V1603071"));
    EXPECT_FALSE(mCaptures.HasClip("V1603071"));
    EXPECT_FALSE(mCaptures.HasRow(L"V1603071"));
    EXPECT_TRUE(mCaptures.HasPicture("V1603072") && mCaptures.HasClip("V1603072"));
    EXPECT_TRUE(mCaptures.HasRow(L"V1603072"));
    EXPECT_TRUE(mPrompts.said.empty());
}

TEST_F(CaptureWalkTest, MissingPictureCountsAsGoneAndItsRowsGoToo) {
    mCaptures.Add("P1.bmp", kGrey);
    std::filesystem::remove(mCaptures.Images() / "P1.bmp");
    CaptureWalk walk = Walk("P1.bmp");
    mPrompts.answers = {true};
    EXPECT_EQ(walk.Delete(), DeleteOutcome::kDeleted);
    EXPECT_FALSE(mCaptures.HasThumbnail("P1") || mCaptures.HasRow(L"P1"));
}

TEST(CaptureWalkDeleteFailureTest, PictureThatCannotBeDeletedKeepsRowsThumbnailAndClip) {
    PatientCaptures captures(PatientCaptures::User::kUnprivileged);
    if (!captures.PermissionsEnforced()) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    captures.Add("V1603071.bmp", kGrey, true, L"seen at the first visit");
    ScriptedPrompts prompts;
    CaptureWalk walk(captures.Context(), captures.PicturePath("V1603071.bmp"), prompts);
    ::chmod(captures.Images().c_str(), 0555);
    prompts.answers = {true};
    EXPECT_EQ(walk.Delete(), DeleteOutcome::kFailed);
    ::chmod(captures.Images().c_str(), 0755);
    EXPECT_EQ(prompts.said, std::vector<std::wstring>{L"Delete fail."});
    EXPECT_EQ(walk.Path(), captures.PicturePath("V1603071.bmp"));
    EXPECT_TRUE(captures.HasPicture("V1603071"));
    EXPECT_TRUE(captures.HasThumbnail("V1603071"));
    EXPECT_TRUE(captures.HasClip("V1603071"));
    ASSERT_EQ(captures.Rows(L"V1603071").size(), 1u);
    EXPECT_EQ(captures.Rows(L"V1603071")[0].comment, L"seen at the first visit");
}

}  // namespace
