// The hardware identifiers the driver is installed for, one per line in the installed list:
// USB\VID_xxxx&PID_xxxx, optionally &REV_xxxx (hexadecimal, any case). Blank lines and lines
// starting with '#' are ignored.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::host {

struct HardwareId {
    uint16_t VendorId;
    uint16_t ProductId;
    std::optional<uint16_t> Release;  // any release when absent
};

std::optional<HardwareId> ParseHardwareId(std::string_view text);
// The identifiers of the list; `errors` receives each line that is not one.
std::vector<HardwareId> ReadHardwareIds(std::istream& list, std::vector<std::string>& errors);
bool MatchesAny(const std::vector<HardwareId>& ids, uint16_t vendorId, uint16_t productId,
                uint16_t release);

}  // namespace ostrel::host
