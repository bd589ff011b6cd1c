// The virtual camera's shared state (what a test configures and observes) and the registry
// of attached cameras. The device side (stream, amplifier, extension unit) is in
// VirtualSource.cpp.
#include "platform/capture/VirtualCamera.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

#include "platform/capture/Guid.h"
#include "platform/capture/VirtualDevices.h"
#include "platform/capture/VirtualState.h"
#include "platform/sys/DeviceNotifications.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"

namespace capture {
namespace {

constexpr char kLocatorPrefix[] = "virtual:";

MediaType Format(uint32_t subtype, int32_t width, int32_t height) {
    MediaType type;
    type.subtype = subtype;
    type.width = width;
    type.height = height;
    type.bitCount = BitCountOf(subtype);
    type.avgTimePerFrame = 333333;
    return type;
}

struct Registry {
    std::mutex mutex;
    std::vector<std::weak_ptr<testing::VirtualCamera::State>> cameras;
    int nextNumber = 0;

    static Registry& Instance() {
        static Registry registry;
        return registry;
    }
};

// The camera the program offers on request of the environment, attached for the process's
// life (never destroyed, so it outlives every user at exit).
void AttachEnvironmentCamera() {
    static std::once_flag once;
    std::call_once(once, [] {
        const char* wanted = std::getenv("SORVANTI_VIRTUAL_CAMERA");
        if (wanted != nullptr && std::strcmp(wanted, "1") == 0) {
            static const auto* camera = new testing::VirtualCamera();
            static_cast<void>(camera);
        }
    });
}

}  // namespace

VirtualCameraConfig::VirtualCameraConfig()
    : formats{Format(kSubtypeMjpg, 1280, 720), Format(kSubtypeMjpg, 1920, 1080),
              Format(kSubtypeYuy2, 1280, 720), Format(kSubtypeYuy2, 1920, 1080)},
      extensionUnitGuid(*ParseGuid("{63610682-5070-49AB-B8CC-B3855E8D221D}")),
      identity{0x12, 0x34, 0x56, 0x78, 0, 0, 0, 0, 'C', 'A', 'M', '0', '0', '0', '0', '1'},
      clock{0x1E, 0x2D, 0x0E, 0x0F, 0x06, 0xE8, 0x07, 0x00} {
    procAmp[kBrightness] = ProcAmpRange{-64, 64, 1, 0, kProcAmpFlagsManual};
    procAmp[kContrast] = ProcAmpRange{0, 100, 1, 32, kProcAmpFlagsManual};
    procAmp[kHue] = ProcAmpRange{-180, 180, 1, 0, kProcAmpFlagsManual};
    procAmp[kSaturation] = ProcAmpRange{0, 100, 1, 64, kProcAmpFlagsManual};
}

namespace testing {

VirtualCamera::VirtualCamera(VirtualCameraConfig config) : mState(std::make_shared<State>()) {
    auto& registry = Registry::Instance();
    std::lock_guard lock(registry.mutex);
    const int number = registry.nextNumber++;
    mState->device.displayName = text::sprintf(L"virtual-VID_%04X&PID_%04X-camera%d-video-index0",
                                               config.vendorId, config.productId, number);
    mState->device.locator = kLocatorPrefix + std::to_string(number);
    for (int property = 0; property < kProcAmpPropertyCount; ++property) {
        if (config.procAmp[property]) {
            mState->current[property] = config.procAmp[property]->defaultValue;
        }
    }
    mState->config = std::move(config);
    registry.cameras.push_back(mState);
}

VirtualCamera::~VirtualCamera() {
    Unplug();
    auto& registry = Registry::Instance();
    std::lock_guard lock(registry.mutex);
    std::erase_if(registry.cameras, [this](const auto& camera) {
        auto locked = camera.lock();
        return !locked || locked == mState;
    });
}

const VideoDevice& VirtualCamera::Device() const {
    return mState->device;
}

void VirtualCamera::PressKey(uint32_t keyValue) {
    std::lock_guard lock(mState->mutex);
    mState->keyState = keyValue;
}

void VirtualCamera::ReleaseKey() {
    PressKey(0);
}

void VirtualCamera::RefuseProcAmpValue(int property, int32_t value) {
    std::lock_guard lock(mState->mutex);
    mState->refused.insert({property, value});
}

std::vector<std::pair<int, int32_t>> VirtualCamera::ProcAmpWrites() const {
    std::lock_guard lock(mState->mutex);
    return mState->procAmpWrites;
}

std::vector<VirtualCamera::UnitWrite> VirtualCamera::UnitWrites() const {
    std::lock_guard lock(mState->mutex);
    return mState->unitWrites;
}

int VirtualCamera::UnitRequests() const {
    std::lock_guard lock(mState->mutex);
    return mState->unitRequests;
}

int VirtualCamera::FramesDelivered() const {
    std::lock_guard lock(mState->mutex);
    return mState->framesDelivered;
}

void VirtualCamera::Unplug() {
    {
        std::lock_guard lock(mState->mutex);
        if (!mState->present) {
            return;
        }
        mState->present = false;
    }
    sys::PublishUsbDeviceEvent(sys::DeviceEvent::kRemovalComplete);
}

}  // namespace testing

namespace detail {

std::vector<VideoDevice> VirtualDevices() {
    AttachEnvironmentCamera();
    auto& registry = Registry::Instance();
    std::lock_guard lock(registry.mutex);
    std::vector<VideoDevice> devices;
    for (const auto& camera : registry.cameras) {
        if (auto state = camera.lock(); state && state->IsPresent()) {
            devices.push_back(state->device);
        }
    }
    return devices;
}

bool IsVirtualLocator(const std::string& locator) {
    return locator.starts_with(kLocatorPrefix);
}

std::shared_ptr<testing::VirtualCamera::State> FindVirtualCamera(const VideoDevice& device) {
    auto& registry = Registry::Instance();
    std::lock_guard lock(registry.mutex);
    for (const auto& camera : registry.cameras) {
        if (auto state = camera.lock(); state && state->device.locator == device.locator) {
            return state->IsPresent() ? state : nullptr;
        }
    }
    return nullptr;
}

}  // namespace detail
}  // namespace capture
