// Hash-derived UIDs under the 2.25 root.
#include "archive/ArchiveUids.h"

#include <algorithm>
#include <cstdint>

namespace {

using Uint128 = unsigned __int128;

// FNV-1a, 128-bit: offset basis 0x6c62272e07bb014262b821756295c58d, prime 2^88 + 0x13b.
Uint128 Fnv1a128(std::string_view bytes) {
    Uint128 hash = (static_cast<Uint128>(0x6c62272e07bb0142ULL) << 64) | 0x62b821756295c58dULL;
    const Uint128 prime = (static_cast<Uint128>(1) << 88) | 0x13bU;
    for (const char c : bytes) {
        hash ^= static_cast<uint8_t>(c);
        hash *= prime;
    }
    return hash;
}

std::string Decimal(Uint128 value) {
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

// The parts joined with a separator no part contains in a way that could make two different
// keys equal: each part is preceded by its length.
std::string Key(std::initializer_list<std::string_view> parts) {
    std::string key;
    for (const std::string_view part : parts) {
        key += std::to_string(part.size());
        key += ':';
        key += part;
    }
    return key;
}

}  // namespace

std::string DerivedUid(std::string_view key) {
    return "2.25." + Decimal(Fnv1a128(key));
}

std::string StudyUid(const ArchiveItem& item) {
    return DerivedUid(Key({"study", std::to_string(item.customerSerialNumber), item.session}));
}

std::string SeriesUid(const ArchiveItem& item) {
    return DerivedUid(Key({"series", std::to_string(item.customerSerialNumber), item.session}));
}

std::string InstanceUid(const ArchiveItem& item) {
    const std::string serial = std::to_string(item.customerSerialNumber);
    if (item.version == 0) {
        return DerivedUid(Key({"instance", serial, item.captureName}));
    }
    return DerivedUid(Key({"instance", serial, item.captureName, std::to_string(item.version)}));
}
