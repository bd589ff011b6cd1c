// The detail dialog's comment rules without a window: the comment read at opening, Exit's
// update or insert, Previous and Next storing only into an existing row, and the ends.
#include <gtest/gtest.h>

#include "review/ImageDetailWorkflow.h"
#include "tests/review/PatientCaptures.h"

namespace {

using reviewtest::PatientCaptures;
using reviewtest::ScriptedPrompts;

const ui::Color kGrey = ui::Rgb(128, 128, 128);

class ImageDetailWorkflowTest : public ::testing::Test {
  protected:
    ImageDetailWorkflow Detail(const std::string& name) {
        return ImageDetailWorkflow(mCaptures.Context(), mCaptures.PicturePath(name), mPrompts,
                                   [] { return std::wstring(L"3/7/2016"); });
    }

    PatientCaptures mCaptures;
    ScriptedPrompts mPrompts;
};

TEST_F(ImageDetailWorkflowTest, ExitUpdatesTheRowByName) {
    mCaptures.Add("P1.bmp", kGrey, true, L"abc");
    ImageDetailWorkflow detail = Detail("P1.bmp");
    EXPECT_EQ(detail.OpeningComment(), L"abc");
    detail.StoreOnExit(L"abc, larger since");
    const std::vector<PhotoRecord> rows = mCaptures.Rows(L"P1");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].comment, L"abc, larger since");
    EXPECT_EQ(rows[0].date, L"12/31/2015");
}

TEST_F(ImageDetailWorkflowTest, ExitInsertsARowForThePatientDatedTodayWhenThereIsNone) {
    mCaptures.Add("P1.bmp", kGrey, false);
    ImageDetailWorkflow detail = Detail("P1.bmp");
    EXPECT_EQ(detail.OpeningComment(), L"");
    detail.StoreOnExit(L"new lesion");
    const std::vector<PhotoRecord> rows = mCaptures.Rows(L"P1");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].customerSerialNumber, PatientCaptures::kCustomer);
    EXPECT_EQ(rows[0].date, L"3/7/2016");
    EXPECT_EQ(rows[0].comment, L"new lesion");
}

TEST_F(ImageDetailWorkflowTest, StepStoresOnlyIntoAnExistingRowAndShowsTheNextComment) {
    mCaptures.Add("P1.bmp", kGrey, false);
    mCaptures.Add("P2.bmp", kGrey, true, L"second");
    mCaptures.Add("P3.bmp", kGrey, true, L"third");
    ImageDetailWorkflow detail = Detail("P1.bmp");
    EXPECT_EQ(detail.StoreAndStep(StepDirection::kNext, L"typed on P1"), L"second");
    EXPECT_TRUE(mCaptures.Rows(L"P1").empty()) << "no row: nothing stored";
    EXPECT_EQ(detail.Path(), mCaptures.PicturePath("P2.bmp"));

    EXPECT_EQ(detail.StoreAndStep(StepDirection::kNext, L"second, edited"), L"third");
    EXPECT_EQ(mCaptures.Rows(L"P2")[0].comment, L"second, edited");

    // The last capture: the comment is stored, the capture and the editor's text stay.
    EXPECT_EQ(detail.StoreAndStep(StepDirection::kNext, L"third, edited"), std::nullopt);
    EXPECT_EQ(mCaptures.Rows(L"P3")[0].comment, L"third, edited");
    EXPECT_EQ(detail.Path(), mCaptures.PicturePath("P3.bmp"));

    EXPECT_EQ(detail.StoreAndStep(StepDirection::kPrevious, L"third, edited"), L"second, edited");
    EXPECT_EQ(detail.StoreAndStep(StepDirection::kPrevious, L"x"), L"");
}

TEST_F(ImageDetailWorkflowTest, ARowOfAnotherPatientIsNeitherShownOnStepNorUpdated) {
    mCaptures.Add("P1.bmp", kGrey, false);
    mCaptures.Add("P2.bmp", kGrey, false);
    ASSERT_TRUE(mCaptures.Store().PhotoInsert({0, 4, L"P2", L"1/1/2016", L"patient 4's"}));
    ImageDetailWorkflow detail = Detail("P1.bmp");
    EXPECT_EQ(detail.StoreAndStep(StepDirection::kNext, L""), L"");
    EXPECT_EQ(detail.StoreAndStep(StepDirection::kPrevious, L"typed"), L"");
    EXPECT_EQ(mCaptures.Rows(L"P2")[0].comment, L"patient 4's");
}

TEST_F(ImageDetailWorkflowTest, EmptyPathStoresNothing) {
    ImageDetailWorkflow detail(mCaptures.Context(), L"", mPrompts);
    EXPECT_EQ(detail.OpeningComment(), L"");
    EXPECT_EQ(detail.StoreAndStep(StepDirection::kNext, L"typed"), std::nullopt);
    detail.StoreOnExit(L"typed");
    EXPECT_TRUE(mCaptures.Rows(L"").empty());
}

}  // namespace
