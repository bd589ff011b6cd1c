// The record form's codes, first-visit dates and list-line serials.
#include <gtest/gtest.h>

#include "app/RecordFormCodes.h"

namespace {

using recordform::VisitDate;

TEST(RecordFormCodesTest, StoredCodesMapToItemsAndBack) {
    const struct {
        std::wstring code;
        int item;
    } genders[] = {{L"M", 0}, {L"F", 1}, {L"O", 2}, {L"X", 2}, {L"", 2}, {L"m", 2}};
    for (const auto& g : genders) {
        EXPECT_EQ(recordform::GenderItem(g.code), g.item) << "gender code " << g.item;
    }
    const struct {
        std::wstring code;
        int item;
    } bloodTypes[] = {{L"A", 0}, {L"B", 1}, {L"AB", 2}, {L"O", 3}, {L"X", 3}, {L"", 3}};
    for (const auto& b : bloodTypes) {
        EXPECT_EQ(recordform::BloodTypeItem(b.code), b.item);
    }
    EXPECT_EQ(recordform::GenderCode(0), L"M");
    EXPECT_EQ(recordform::GenderCode(1), L"F");
    EXPECT_EQ(recordform::GenderCode(2), L"O");
    EXPECT_EQ(recordform::BloodTypeCode(2), L"AB");
    EXPECT_EQ(recordform::BloodTypeCode(3), L"O");
    // No item selected (a typed text of no item) has no code.
    for (int item : {-1, 3}) {
        EXPECT_EQ(recordform::GenderCode(item), L"");
    }
    for (int item : {-1, 4}) {
        EXPECT_EQ(recordform::BloodTypeCode(item), L"");
    }
}

TEST(RecordFormCodesTest, ReadsFirstVisitDates) {
    const struct {
        std::wstring text;
        std::optional<VisitDate> date;
    } cases[] = {
        {L"8/18/2015", VisitDate{2015, 8, 18}},
        {L"1/1/1900", VisitDate{1900, 1, 1}},
        {L"12/31/9999", VisitDate{9999, 12, 31}},
        {L"/8//18/2015/", VisitDate{2015, 8, 18}},
        {L"2/30/2015", VisitDate{2015, 3, 2}},
        {L"12/31/1899", std::nullopt},
        {L"13/1/2015", std::nullopt},
        {L"0/1/2015", std::nullopt},
        {L"1/32/2015", std::nullopt},
        {L"1/0/2015", std::nullopt},
        {L"8/18", std::nullopt},
        {L"", std::nullopt},
        {L"2015-08-18", std::nullopt},
        {L"1/1/10000", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recordform::ParseVisitDate(c.text), c.date)
            << std::string(c.text.begin(), c.text.end());
    }
    EXPECT_EQ(recordform::FormatVisitDate({2016, 3, 7}), L"3/7/2016");
}

TEST(RecordFormCodesTest, LineSerialIsTheNumberBeforeTheFirstDash) {
    EXPECT_EQ(recordform::LineSerialNumber(L"0003-F333333333-Name333"), 3);
    EXPECT_EQ(recordform::LineSerialNumber(L"0006-03072016:140505"), 6);
    EXPECT_EQ(recordform::LineSerialNumber(L"0012-X-a-b"), 12);
}

}  // namespace
