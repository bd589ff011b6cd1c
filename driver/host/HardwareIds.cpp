// Parsing and matching of hardware identifiers.
#include "driver/host/HardwareIds.h"

#include <algorithm>
#include <cctype>

namespace ostrel::host {
namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    return upper;
}

// Four hexadecimal digits after `prefix` at the start of `text`; consumes them.
std::optional<uint16_t> TakeField(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix) || text.size() < prefix.size() + 4) {
        return std::nullopt;
    }
    uint16_t value = 0;
    for (char digit : text.substr(prefix.size(), 4)) {
        if (!std::isxdigit(static_cast<unsigned char>(digit))) {
            return std::nullopt;
        }
        value = static_cast<uint16_t>(value * 16 + (std::isdigit(static_cast<unsigned char>(digit))
                                                        ? digit - '0'
                                                        : digit - 'A' + 10));
    }
    text.remove_prefix(prefix.size() + 4);
    return value;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::optional<HardwareId> ParseHardwareId(std::string_view text) {
    std::string upper = Upper(Trim(text));
    std::string_view rest = upper;
    auto vendor = TakeField(rest, "USB\\VID_");
    auto product = vendor ? TakeField(rest, "&PID_") : std::nullopt;
    if (!product) {
        return std::nullopt;
    }
    HardwareId id{*vendor, *product, std::nullopt};
    if (!rest.empty()) {
        id.Release = TakeField(rest, "&REV_");
        if (!id.Release || !rest.empty()) {
            return std::nullopt;
        }
    }
    return id;
}

std::vector<HardwareId> ReadHardwareIds(std::istream& list, std::vector<std::string>& errors) {
    std::vector<HardwareId> ids;
    std::string line;
    while (std::getline(list, line)) {
        std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        if (auto id = ParseHardwareId(trimmed)) {
            ids.push_back(*id);
        } else {
            errors.emplace_back(trimmed);
        }
    }
    return ids;
}

bool MatchesAny(const std::vector<HardwareId>& ids, uint16_t vendorId, uint16_t productId,
                uint16_t release) {
    return std::any_of(ids.begin(), ids.end(), [&](const HardwareId& id) {
        return id.VendorId == vendorId && id.ProductId == productId &&
               (!id.Release || *id.Release == release);
    });
}

}  // namespace ostrel::host
