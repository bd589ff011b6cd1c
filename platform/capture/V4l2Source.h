// Internal: real cameras through V4L2.
#pragma once

#include <memory>
#include <string>

#include "platform/capture/Source.h"

namespace capture {

// Opens the device node; nullptr when it cannot be opened or captures no video.
std::unique_ptr<Source> OpenV4l2Source(const std::string& node);

// Whether the node is a video capture node (not a metadata or output node).
bool IsCaptureNode(const std::string& node);

}  // namespace capture
