#include "camera/Xu.h"

#include <array>
#include <cstring>
#include <string_view>

#include "platform/capture/Guid.h"
#include "platform/capture/KsControl.h"
#include "platform/text/Format.h"
#include "utility/files/Files.h"

namespace {

constexpr uint32_t kIdentitySelector = 0x10;  // 16 bytes
constexpr uint32_t kKeyStateSelector = 0x12;  // 4 bytes
constexpr uint32_t kClockSelector = 0x13;     // 8 bytes
constexpr uint32_t kNodeId = 2;
constexpr char kUnitGuid[] = "{63610682-5070-49AB-B8CC-B3855E8D221D}";

constexpr std::array<uint8_t, 16> kIdentityPattern = {
    0x28, 0x47, 0x01, 0x00, 0x55, 0x55, 0xAA, 0xAA, 0, 0, 0, 0, 0, 0, 0, 0};
// 2015/11/25 18:48:05: second, minute, hour, day, month, year (little-endian), unused.
constexpr std::array<uint8_t, 8> kClockPattern = {0x05, 0x30, 0x12, 0x19, 0x0B, 0xDF, 0x07, 0x00};

constexpr wchar_t kUnknown[] = L"Unknown";

void WriteLe32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// One node-addressed request: a read zero-fills `data` first; a write sends it.
capture::Status Request(capture::Source* sourceFilter, uint32_t selector, uint32_t flags,
                        uint8_t* data, uint32_t length) {
    capture::KsControl* control = sourceFilter ? sourceFilter->ExtensionUnit() : nullptr;
    if (control == nullptr) {
        return capture::E_NOINTERFACE;
    }
    static const capture::Guid unit = *capture::ParseGuid(kUnitGuid);
    uint8_t property[capture::kKsNodePropertySize] = {};
    std::memcpy(property, unit.data(), unit.size());
    WriteLe32(property + 16, selector);
    WriteLe32(property + 20, flags);
    WriteLe32(property + 24, kNodeId);
    if (flags == capture::kKsPropertyGet) {
        std::memset(data, 0, length);
    }
    uint32_t returned = 0;
    return control->KsProperty(property, sizeof(property), data, length, returned);
}

// Reads a control of `length` bytes and forms its text; a failed read gives "Unknown", and a
// source without extension-unit access leaves the text as it was.
template <std::size_t length, class Format>
capture::Status ReadText(capture::Source* sourceFilter, uint32_t selector, std::wstring& text,
                         Format format) {
    std::array<uint8_t, length> data;
    const capture::Status status =
        Request(sourceFilter, selector, capture::kKsPropertyGet, data.data(), length);
    if (status != capture::E_NOINTERFACE) {
        text = capture::Succeeded(status) ? format(data) : std::wstring(kUnknown);
    }
    return status;
}

}  // namespace

Xu& Xu::Instance() {
    static Xu instance;
    return instance;
}

capture::Status Xu::GetId(capture::Source* sourceFilter, std::wstring& text) {
    return ReadText<16>(sourceFilter, kIdentitySelector, text, [](const auto& data) {
        // Bytes 8 to 15 are text up to the first zero; the device need not end it with one.
        std::wstring name;
        UTILITY_MultiByteToWide(name, std::string_view(reinterpret_cast<const char*>(&data[8]), 8));
        return text::sprintf(L"%02X%02X %02X%02X-%s", data[0], data[1], data[2], data[3], name);
    });
}

capture::Status Xu::SetId(capture::Source* sourceFilter) {
    std::array<uint8_t, 16> data = kIdentityPattern;
    return Request(sourceFilter, kIdentitySelector, capture::kKsPropertySet, data.data(),
                   data.size());
}

capture::Status Xu::GetDateTime(capture::Source* sourceFilter, std::wstring& text) {
    return ReadText<8>(sourceFilter, kClockSelector, text, [](const auto& data) {
        return text::sprintf(L"%04d/%02d/%02d %02d:%02d:%02d", data[5] + 256 * data[6], data[4],
                             data[3], data[2], data[1], data[0]);
    });
}

capture::Status Xu::SetDateTime(capture::Source* sourceFilter) {
    std::array<uint8_t, 8> data = kClockPattern;
    return Request(sourceFilter, kClockSelector, capture::kKsPropertySet, data.data(), data.size());
}

capture::Status Xu::GetKeyEvent(capture::Source* sourceFilter, uint32_t& value) {
    uint8_t data[4];
    const capture::Status status =
        Request(sourceFilter, kKeyStateSelector, capture::kKsPropertyGet, data, sizeof(data));
    if (capture::Succeeded(status)) {
        value = capture::ReadLe32(data);
    }
    return status;
}

capture::Status Xu::SetRecordingState(capture::Source* sourceFilter, uint32_t value) {
    uint8_t data[4];
    WriteLe32(data, value);
    return Request(sourceFilter, kKeyStateSelector, capture::kKsPropertySet, data, sizeof(data));
}

std::wstring KeyStateText(capture::Status status, uint32_t value) {
    if (!capture::Succeeded(status)) {
        return kUnknown;
    }
    return text::sprintf(L"%02X %02X %02X %02X", value & 0xFF, (value >> 8) & 0xFF,
                         (value >> 16) & 0xFF, value >> 24);
}
