// A simulated device bound to the driver through the host's device binding, with the interface
// state changes recorded and short time limits, for the driver's tests.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "driver/DeviceContext.h"
#include "driver/DeviceIds.h"
#include "driver/framework/DeviceInterfaceHost.h"
#include "driver/framework/IoManager.h"
#include "driver/host/DeviceHost.h"
#include "driver/usb/SimulatedDevice.h"

namespace drivertest {

// Records which interfaces are enabled.
class RecordingInterfaceHost : public DeviceInterfaceHost {
  public:
    NTSTATUS Enable(const std::wstring& link, WdfDevice* device) override;
    void Disable(const std::wstring& link) override;
    bool IsEnabled(const std::wstring& link) const;
    // Waits up to a second for the interface to reach `enabled`; returns whether it did.
    bool WaitFor(const std::wstring& link, bool enabled) const;

  private:
    mutable std::mutex mMutex;
    mutable std::condition_variable mChanged;
    std::map<std::wstring, bool> mEnabled;
};

ostrel::usb::SimulatedDeviceConfig OrdinaryDevice();
ostrel::usb::SimulatedDeviceConfig EightPortProgrammer();

// Short limits so waits that run out cost tens of milliseconds.
std::map<std::string, uint32_t> ShortTiming();

inline constexpr char kInstance[] = "sim0";

class SimulatedBinding {
  public:
    explicit SimulatedBinding(const ostrel::usb::SimulatedDeviceConfig& config,
                              std::map<std::string, uint32_t> parameters = ShortTiming());

    ostrel::usb::SimulatedDevice& Device() { return *mDevice; }
    WDFDEVICE FrameworkDevice() const { return mHost.Device(kInstance); }
    DEVICE_CONTEXT* Context() const { return DeviceGetContext(FrameworkDevice()); }
    ostrel::host::DeviceHost& Host() { return mHost; }
    RecordingInterfaceHost& Interfaces() { return mInterfaces; }
    std::wstring MainLink() const;
    std::wstring ConnectionLink() const;

    io::DeviceIoControlResult Ioctl(uint32_t code, std::vector<uint8_t> input, size_t outputLength);
    // Input and output of the same length, as most tools send them.
    io::DeviceIoControlResult Ioctl(uint32_t code, std::vector<uint8_t> buffer);

  private:
    RecordingInterfaceHost mInterfaces;
    std::shared_ptr<ostrel::usb::SimulatedDevice> mDevice;
    ostrel::host::DeviceHost mHost;
};

// Waits (generously) until the device has seen a transfer with `index` (a command number or
// register address); false when it never does.
bool WaitForTransfer(const ostrel::usb::SimulatedDevice& device, uint16_t index);

// Little-endian byte helpers for request layouts.
std::vector<uint8_t> Le32(uint32_t value);
std::vector<uint8_t> Le16(uint16_t value);
std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts);
uint32_t ReadLe32(std::span<const uint8_t> bytes, size_t at);

}  // namespace drivertest
