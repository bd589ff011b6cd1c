// Internal: the registry of attached virtual cameras, for enumeration and opening.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/capture/Source.h"
#include "platform/capture/VideoDevice.h"

namespace capture::detail {

// The virtual cameras attached now (a test's, or the program's own when the environment asks
// for one).
std::vector<VideoDevice> VirtualDevices();

bool IsVirtualLocator(const std::string& locator);

// Opens an attached virtual camera; nullptr when it is not attached.
std::unique_ptr<Source> OpenVirtualSource(const VideoDevice& device);

}  // namespace capture::detail
