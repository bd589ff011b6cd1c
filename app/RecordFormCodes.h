// The record form's translations between stored patient fields and what the form shows: the
// gender and blood-type codes and their combo items, the first-visit date text and the line
// formats of the patient and note lists. No window is needed; the main window uses these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace recordform {

// Combo items, in order.
inline constexpr const wchar_t* kGenderItems[] = {L"Male", L"Female", L"Other"};
inline constexpr const wchar_t* kBloodTypeItems[] = {L"A", L"B", L"AB", L"O"};

// The item shown for a stored code: "M" Male, "F" Female, anything else Other; "A", "B", "AB"
// their items, anything else O.
int GenderItem(const std::wstring& code);
int BloodTypeItem(const std::wstring& code);
// The code stored for a selected item: "M", "F", "O" and the blood type's text; empty for no
// item (-1) or an index without item.
std::wstring GenderCode(int item);
std::wstring BloodTypeCode(int item);

struct VisitDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const VisitDate&) const = default;
};

// The dates the form reads back; the date picker offers no others.
inline constexpr VisitDate kEarliestVisitDate{1900, 1, 1};
inline constexpr VisitDate kLatestVisitDate{9999, 12, 31};

// "month/day/year" (empty parts skipped, the first three read as short decimal numbers): when
// the year lies in 1900 to 9999, the month in 1 to 12 and the day in 1 to 31, the date of local
// midnight of that day, normalised as local time normalises it (2/30/2015 gives 3/2/2015);
// nullopt otherwise.
std::optional<VisitDate> ParseVisitDate(const std::wstring& text);
// "%d/%d/%d" of month, day and year.
std::wstring FormatVisitDate(const VisitDate& date);

// The serial at the front of a patient line "%04d-%s-%s" or a note line "%04d-%s".
int32_t LineSerialNumber(const std::wstring& line);

}  // namespace recordform
