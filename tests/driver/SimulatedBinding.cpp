// Test binding of a simulated device, the interface recorder, and waiting for transfers.
#include "SimulatedBinding.h"

#include <thread>

#include "driver/OstrelPublic.h"

namespace drivertest {

NTSTATUS RecordingInterfaceHost::Enable(const std::wstring& link, WdfDevice*) {
    std::lock_guard lock(mMutex);
    mEnabled[link] = true;
    mChanged.notify_all();
    return STATUS_SUCCESS;
}

void RecordingInterfaceHost::Disable(const std::wstring& link) {
    std::lock_guard lock(mMutex);
    mEnabled[link] = false;
    mChanged.notify_all();
}

bool RecordingInterfaceHost::IsEnabled(const std::wstring& link) const {
    std::lock_guard lock(mMutex);
    auto found = mEnabled.find(link);
    return found != mEnabled.end() && found->second;
}

bool RecordingInterfaceHost::WaitFor(const std::wstring& link, bool enabled) const {
    std::unique_lock lock(mMutex);
    return mChanged.wait_for(lock, std::chrono::seconds(1), [&] {
        auto found = mEnabled.find(link);
        return (found != mEnabled.end() && found->second) == enabled;
    });
}

ostrel::usb::SimulatedDeviceConfig OrdinaryDevice() {
    ostrel::usb::SimulatedDeviceConfig config;
    config.VendorId = MAKER_VENDOR_ID;
    config.ProductId = 0x0110;
    return config;
}

ostrel::usb::SimulatedDeviceConfig EightPortProgrammer() {
    ostrel::usb::SimulatedDeviceConfig config;
    config.VendorId = MAKER_VENDOR_ID;
    config.ProductId = PROGRAMMER_PRODUCT_ID;
    config.Release = EIGHT_PORT_RELEASE;
    return config;
}

std::map<std::string, uint32_t> ShortTiming() {
    return {{"TransferTimeoutMs", 200},
            {"MessageWaitMs", 60},
            {"ValueCommandWaitMs", 60},
            {"BusPollDelayMs", 0}};
}

SimulatedBinding::SimulatedBinding(const ostrel::usb::SimulatedDeviceConfig& config,
                                   std::map<std::string, uint32_t> parameters)
    : mDevice(std::make_shared<ostrel::usb::SimulatedDevice>(config)),
      mHost(mInterfaces, std::move(parameters)) {
    mHost.Bind(kInstance, mDevice);
}

std::wstring SimulatedBinding::MainLink() const {
    return L"sim0/" + GuidToString(DEVICE_INTERFACE_GUID);
}

std::wstring SimulatedBinding::ConnectionLink() const {
    return L"sim0/" + GuidToString(CONNECTION_INTERFACE_GUID);
}

io::DeviceIoControlResult SimulatedBinding::Ioctl(uint32_t code, std::vector<uint8_t> input,
                                                  size_t outputLength) {
    return io::DeviceIoControl(FrameworkDevice(), code, input, outputLength);
}

io::DeviceIoControlResult SimulatedBinding::Ioctl(uint32_t code, std::vector<uint8_t> buffer) {
    size_t length = buffer.size();
    return Ioctl(code, std::move(buffer), length);
}

bool WaitForTransfer(const ostrel::usb::SimulatedDevice& device, uint16_t index) {
    for (int i = 0; i < 10000; ++i) {
        for (const auto& transfer : device.Transfers()) {
            if (transfer.Setup.wIndex == index) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

std::vector<uint8_t> Le32(uint32_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

std::vector<uint8_t> Le16(uint16_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> bytes;
    for (const auto& part : parts) {
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

uint32_t ReadLe32(std::span<const uint8_t> bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

}  // namespace drivertest
