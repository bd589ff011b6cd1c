#include "platform/capture/DeviceNames.h"

#include <fmt/printf.h>

#include "platform/text/Text.h"

namespace capture::detail {

std::wstring BuildDisplayName(const DeviceIdentity& identity) {
    if (!identity.usb) {
        return text::FromUtf8(
            fmt::sprintf("%s-video-index%d", identity.physicalPath, identity.index));
    }
    return text::FromUtf8(fmt::sprintf(
        "usb-VID_%04X&PID_%04X-%s-%s-if%s-video-index%d", identity.vendor, identity.product,
        identity.serial.empty() ? std::string("noserial") : identity.serial, identity.portPath,
        identity.interfaceNumber.empty() ? std::string("00") : identity.interfaceNumber,
        identity.index));
}

}  // namespace capture::detail
