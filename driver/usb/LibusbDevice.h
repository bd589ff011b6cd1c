// Real devices through libusb-1.0: a context with its event-handling thread, and one opened
// device as the framework's USB backend. Every libusb error is traced with its name and mapped
// to a status in one place.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "driver/framework/UsbDeviceBackend.h"

struct libusb_context;
struct libusb_device_handle;
struct libusb_transfer;

namespace ostrel::usb {

class LibusbDevice;

// One libusb context and the thread that handles its asynchronous transfers. Devices keep their
// context alive.
class LibusbContext : public std::enable_shared_from_this<LibusbContext> {
  public:
    // nullptr when libusb cannot be initialised.
    static std::shared_ptr<LibusbContext> Create();
    ~LibusbContext();
    LibusbContext(const LibusbContext&) = delete;
    LibusbContext& operator=(const LibusbContext&) = delete;

    // Opens the device at `bus` and `address`; nullptr (traced) when it cannot be opened.
    std::shared_ptr<LibusbDevice> Open(uint8_t bus, uint8_t address);

  private:
    explicit LibusbContext(libusb_context* context);
    void HandleEvents();

    libusb_context* mContext;
    std::atomic<bool> mStopping{false};
    std::thread mEvents;
};

class LibusbDevice : public UsbDeviceBackend {
  public:
    LibusbDevice(std::shared_ptr<LibusbContext> context, libusb_device_handle* handle);
    ~LibusbDevice() override;

    NTSTATUS GetDeviceDescriptor(USB_DEVICE_DESCRIPTOR& descriptor) override;
    NTSTATUS GetConfigurationDescriptor(std::vector<uint8_t>& descriptor) override;
    NTSTATUS SelectConfiguration(uint8_t configurationValue,
                                 std::span<const uint8_t> interfaceNumbers) override;
    NTSTATUS ControlTransfer(const USB_SETUP_PACKET& setup, std::span<uint8_t> data,
                             std::chrono::milliseconds timeout, size_t& transferred) override;
    NTSTATUS SubmitInterruptRead(uint8_t endpointAddress, size_t length,
                                 InterruptCompletion completion) override;
    void CancelInterruptReads(uint8_t endpointAddress) override;

  private:
    struct Read;
    static void ReadFinished(libusb_transfer* transfer);
    void ReleaseInterfaces();

    std::shared_ptr<LibusbContext> mContext;
    libusb_device_handle* mHandle;
    std::vector<uint8_t> mClaimed;
    std::mutex mReadsMutex;
    std::condition_variable mReadsChanged;
    std::set<Read*> mReads;
};

}  // namespace ostrel::usb
