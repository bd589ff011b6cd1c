// Date and date-time texts of the local time.
#include "platform/text/Format.h"
#include "utility/files/Files.h"
#include "utility/files/LocalTime.h"

void UTILITY_GetDateString(std::wstring& text) {
    UTILITY_GetDateString(utility::LocalTimeNow(), text);
}

void UTILITY_GetDateString(const std::tm& time, std::wstring& text) {
    text = text::sprintf(L"%d/%d/%d", time.tm_mon + 1, time.tm_mday, time.tm_year + 1900);
}

void UTILITY_GetDateTimeString(std::wstring& text) {
    UTILITY_GetDateTimeString(utility::LocalTimeNow(), text);
}

void UTILITY_GetDateTimeString(const std::tm& time, std::wstring& text) {
    text = text::sprintf(L"%02d%02d%02d:%02d%02d%02d", time.tm_mon + 1, time.tm_mday,
                         time.tm_year + 1900, time.tm_hour, time.tm_min, time.tm_sec);
}
