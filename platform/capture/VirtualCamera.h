// The virtual camera: a video input device of this layer that needs no hardware. It streams a
// live test picture at 15 frames per second in the formats it is configured with, has a
// processing amplifier whose values really change the picture, and an extension unit with
// identity, clock and key state. Tests install one with testing::VirtualCamera and drive it;
// the program offers one when the environment variable SORVANTI_VIRTUAL_CAMERA is 1 (for
// machines without a camera).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/capture/KsControl.h"
#include "platform/capture/MediaType.h"
#include "platform/capture/ProcAmp.h"
#include "platform/capture/VideoDevice.h"

namespace capture {

struct VirtualCameraConfig {
    VirtualCameraConfig();

    // In device order: 1280x720 and 1920x1080 in MJPG, then in YUY2, each at 30 fps.
    std::vector<MediaType> formats;
    // Rows that exist; brightness -64..64 (0), contrast 0..100 (32), hue -180..180 (0),
    // saturation 0..100 (64) by default.
    std::array<std::optional<ProcAmpRange>, kProcAmpPropertyCount> procAmp;
    // Whether the device offers extension-unit access at all, and whether it has the unit
    // (without it every request is rejected).
    bool offersKsControl = true;
    bool hasExtensionUnit = true;
    Guid extensionUnitGuid{};  // {63610682-5070-49AB-B8CC-B3855E8D221D}
    // Controls of the unit: identity (16 bytes), clock (8 bytes).
    std::array<uint8_t, 16> identity{};  // 12 34 56 78 00 00 00 00 "CAM00001"
    std::array<uint8_t, 8> clock{};      // 2024/06/15 14:45:30
    uint16_t vendorId = 0x5356;
    uint16_t productId = 0x0001;
};

namespace testing {

// Attaches a virtual camera while alive; destroying it unplugs the camera.
class VirtualCamera {
  public:
    explicit VirtualCamera(VirtualCameraConfig config = {});
    ~VirtualCamera();
    VirtualCamera(const VirtualCamera&) = delete;
    VirtualCamera& operator=(const VirtualCamera&) = delete;

    const VideoDevice& Device() const;

    // The key-state control reads `keyValue` (1 key A, 2 key B) until Release().
    void PressKey(uint32_t keyValue);
    void ReleaseKey();

    // The device refuses to set `property` to `value`.
    void RefuseProcAmpValue(int property, int32_t value);
    // Values the device accepted, in order, and its current value of a property.
    std::vector<std::pair<int, int32_t>> ProcAmpWrites() const;
    // Payloads written to the extension unit, by selector, in order.
    struct UnitWrite {
        uint32_t selector;
        std::vector<uint8_t> data;
    };
    std::vector<UnitWrite> UnitWrites() const;
    // How many requests reached the extension unit (reads and writes).
    int UnitRequests() const;
    // How many frames the camera has delivered to the streams started on it, over its life.
    int FramesDelivered() const;

    // Removes the camera: it disappears from the device list, its stream ends with an error,
    // and subscribers of USB device events see a removal.
    void Unplug();

    struct State;

  private:
    std::shared_ptr<State> mState;
};

}  // namespace testing
}  // namespace capture
