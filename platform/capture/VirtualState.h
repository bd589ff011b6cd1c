// Internal: what a virtual camera knows about itself, shared between the test's handle, the
// registry and every source opened on it. Guarded by its mutex.
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "platform/capture/VirtualCamera.h"

namespace capture::testing {

struct VirtualCamera::State {
    mutable std::mutex mutex;
    VirtualCameraConfig config;
    VideoDevice device;
    bool present = true;
    uint32_t keyState = 0;
    uint32_t recordingState = 0;
    std::array<int32_t, kProcAmpPropertyCount> current{};
    std::set<std::pair<int, int32_t>> refused;
    std::vector<std::pair<int, int32_t>> procAmpWrites;
    std::vector<UnitWrite> unitWrites;
    int unitRequests = 0;
    int framesDelivered = 0;

    bool IsPresent() const {
        std::lock_guard lock(mutex);
        return present;
    }

    // Counts a frame leaving the camera; false once it is unplugged.
    bool DeliverFrame() {
        std::lock_guard lock(mutex);
        framesDelivered += present ? 1 : 0;
        return present;
    }
};

}  // namespace capture::testing

namespace capture::detail {

std::shared_ptr<testing::VirtualCamera::State> FindVirtualCamera(const VideoDevice& device);

}  // namespace capture::detail
