// Builds the patient lists' line from the cursor's current row.
#include "records/CustomerListLine.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "utility/files/Files.h"

namespace {

// The columns the line shows; views, so that no row measures their names again.
constexpr std::wstring_view kSerialNumberColumn = L"CUSTOMER_SERIAL_NUMBER";
constexpr std::wstring_view kPidColumn = L"CUSTOMER_PID";
constexpr std::wstring_view kNameColumn = L"CUSTOMER_NAME";

// Appends `number` as "%04d" writes it: at least four digits, zero-padded.
void AppendSerialNumber(uint32_t number, std::wstring& text) {
    char digits[16];
    const char* const last = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    const auto length = static_cast<std::size_t>(last - digits);
    if (length < 4) {
        text.append(4 - length, L'0');
    }
    for (const char* digit = digits; digit != last; ++digit) {
        text.push_back(static_cast<wchar_t>(*digit));
    }
}

}  // namespace

std::wstring CustomerListLine::Read() {
    mSerialText.clear();
    mCursor.AppendText(kSerialNumberColumn, mSerialText);
    mLine.clear();
    // Never negative: UTILITY_DecStringToInt reads up to eight digits and nothing else.
    AppendSerialNumber(static_cast<uint32_t>(UTILITY_DecStringToInt(mSerialText)), mLine);
    mLine.push_back(L'-');
    mCursor.AppendText(kPidColumn, mLine);
    mLine.push_back(L'-');
    mCursor.AppendText(kNameColumn, mLine);
    return mLine;
}
