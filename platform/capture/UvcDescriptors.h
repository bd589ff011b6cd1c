// Internal: finding a vendor extension unit in a USB video device's descriptors.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/capture/KsControl.h"

namespace capture::detail {

// The unit id of the extension unit whose GUID is `guid`, searched in the class-specific
// descriptors of the video-control interfaces of `descriptors` (the device's descriptors as
// sysfs gives them: the device descriptor followed by its configurations). nullopt when
// there is none or the descriptors are malformed.
std::optional<uint8_t> FindExtensionUnit(std::span<const uint8_t> descriptors, const Guid& guid);

}  // namespace capture::detail
