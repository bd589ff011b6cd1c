// Comparison and text form of GUIDs.
#include "driver/framework/Guid.h"

#include <fmt/format.h>
#include <fmt/xchar.h>

#include <cstring>

bool operator==(const GUID& left, const GUID& right) {
    return left.Data1 == right.Data1 && left.Data2 == right.Data2 && left.Data3 == right.Data3 &&
           std::memcmp(left.Data4, right.Data4, sizeof left.Data4) == 0;
}

std::wstring GuidToString(const GUID& guid) {
    return fmt::format(L"{:08x}-{:04x}-{:04x}-{:02x}{:02x}-{:02x}{:02x}{:02x}{:02x}{:02x}{:02x}",
                       guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                       guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6],
                       guid.Data4[7]);
}
