// Globally unique identifiers of device interfaces, and their text form as used in the names of
// published interfaces ("5ed482b5-c8ce-4e31-ad98-c00282a56831").
#pragma once

#include <cstdint>
#include <string>

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

bool operator==(const GUID& left, const GUID& right);

// Lower-case text without braces.
std::wstring GuidToString(const GUID& guid);
