// Codes, dates and list lines of the record form.
#include "app/RecordFormCodes.h"

#include <ctime>
#include <iterator>
#include <vector>

#include "platform/text/Format.h"
#include "utility/files/Files.h"

namespace recordform {
namespace {

constexpr int kGenderOther = 2;
constexpr int kBloodTypeO = 3;
constexpr const wchar_t* kGenderCodes[] = {L"M", L"F", L"O"};

// The date as a local time at midnight, normalised the way the C library normalises it (2/30
// becomes 3/2); nullopt when it cannot be represented.
std::optional<VisitDate> LocalMidnight(const VisitDate& date) {
    std::tm time{};
    time.tm_year = date.year - 1900;
    time.tm_mon = date.month - 1;
    time.tm_mday = date.day;
    time.tm_isdst = -1;
    if (std::mktime(&time) == static_cast<std::time_t>(-1)) {
        return std::nullopt;
    }
    return VisitDate{time.tm_year + 1900, time.tm_mon + 1, time.tm_mday};
}

}  // namespace

int GenderItem(const std::wstring& code) {
    if (code == L"M") {
        return 0;
    }
    if (code == L"F") {
        return 1;
    }
    return kGenderOther;
}

int BloodTypeItem(const std::wstring& code) {
    for (int item = 0; item < kBloodTypeO; ++item) {
        if (code == kBloodTypeItems[item]) {
            return item;
        }
    }
    return kBloodTypeO;
}

std::wstring GenderCode(int item) {
    return item >= 0 && item < static_cast<int>(std::size(kGenderCodes)) ? kGenderCodes[item]
                                                                         : std::wstring();
}

std::wstring BloodTypeCode(int item) {
    return item >= 0 && item < static_cast<int>(std::size(kBloodTypeItems)) ? kBloodTypeItems[item]
                                                                            : std::wstring();
}

std::optional<VisitDate> ParseVisitDate(const std::wstring& text) {
    std::vector<int> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t slash = std::min(text.find(L'/', start), text.size());
        if (slash > start) {
            parts.push_back(UTILITY_DecStringToInt(text.substr(start, slash - start)));
        }
        start = slash + 1;
    }
    if (parts.size() < 3) {
        return std::nullopt;
    }
    const VisitDate date{parts[2], parts[0], parts[1]};
    if (date.year < kEarliestVisitDate.year || date.year > kLatestVisitDate.year ||
        date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) {
        return std::nullopt;
    }
    const std::optional<VisitDate> normalised = LocalMidnight(date);
    if (!normalised || normalised->year > kLatestVisitDate.year) {
        return std::nullopt;
    }
    return normalised;
}

std::wstring FormatVisitDate(const VisitDate& date) {
    return text::sprintf(L"%d/%d/%d", date.month, date.day, date.year);
}

int32_t LineSerialNumber(const std::wstring& line) {
    return UTILITY_DecStringToInt(line.substr(0, line.find(L'-')));
}

}  // namespace recordform
