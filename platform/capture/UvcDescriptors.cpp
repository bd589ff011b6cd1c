#include "platform/capture/UvcDescriptors.h"

#include <algorithm>

namespace capture::detail {
namespace {

constexpr uint8_t kInterfaceDescriptor = 0x04;
constexpr uint8_t kClassSpecificInterface = 0x24;
constexpr uint8_t kVideoClass = 0x0E;
constexpr uint8_t kVideoControlSubclass = 0x01;
constexpr uint8_t kExtensionUnitSubtype = 0x06;
// bLength, bDescriptorType, bDescriptorSubtype, bUnitID, guidExtensionCode[16], ...
constexpr std::size_t kExtensionUnitMinimumLength = 24;

}  // namespace

std::optional<uint8_t> FindExtensionUnit(std::span<const uint8_t> descriptors, const Guid& guid) {
    bool inVideoControl = false;
    std::size_t offset = 0;
    while (offset + 2 <= descriptors.size()) {
        const uint8_t length = descriptors[offset];
        if (length < 2 || offset + length > descriptors.size()) {
            return std::nullopt;
        }
        const auto descriptor = descriptors.subspan(offset, length);
        if (descriptor[1] == kInterfaceDescriptor && length >= 7) {
            inVideoControl = descriptor[5] == kVideoClass && descriptor[6] == kVideoControlSubclass;
        } else if (inVideoControl && descriptor[1] == kClassSpecificInterface &&
                   length >= kExtensionUnitMinimumLength &&
                   descriptor[2] == kExtensionUnitSubtype &&
                   std::equal(guid.begin(), guid.end(), descriptor.begin() + 4)) {
            return descriptor[3];
        }
        offset += length;
    }
    return std::nullopt;
}

}  // namespace capture::detail
