// What the framework's USB target needs of the bus for one device: descriptors, configuration
// selection, synchronous control transfers and asynchronous interrupt IN reads. Implemented over
// libusb for real devices and by the simulated device for tests and demonstrations.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "driver/framework/Ntstatus.h"
#include "driver/framework/UsbDescriptors.h"

#pragma pack(push, 1)
// The eight bytes of a control transfer's setup stage.
struct USB_SETUP_PACKET {
    uint8_t bmRequestType;
    uint8_t bRequest;
    uint16_t wValue;
    uint16_t wIndex;
    uint16_t wLength;
};
#pragma pack(pop)
static_assert(sizeof(USB_SETUP_PACKET) == 8);

class UsbDeviceBackend {
  public:
    // Called once per finished read with its status and the bytes received; never with a lock of
    // the backend held. STATUS_CANCELLED after CancelInterruptReads.
    using InterruptCompletion = std::function<void(NTSTATUS status, std::span<const uint8_t> data)>;

    virtual ~UsbDeviceBackend() = default;

    virtual NTSTATUS GetDeviceDescriptor(USB_DEVICE_DESCRIPTOR& descriptor) = 0;
    // The whole configuration descriptor (wTotalLength bytes) of the first configuration.
    virtual NTSTATUS GetConfigurationDescriptor(std::vector<uint8_t>& descriptor) = 0;
    // Sets the configuration and claims the given interfaces in alternate setting 0.
    virtual NTSTATUS SelectConfiguration(uint8_t configurationValue,
                                         std::span<const uint8_t> interfaceNumbers) = 0;
    // One control transfer; `data` is wLength bytes, sent for OUT and filled for IN. A timeout of
    // 0 waits without limit.
    virtual NTSTATUS ControlTransfer(const USB_SETUP_PACKET& setup, std::span<uint8_t> data,
                                     std::chrono::milliseconds timeout, size_t& transferred) = 0;
    // Queues one read; its completion never runs inside this call.
    virtual NTSTATUS SubmitInterruptRead(uint8_t endpointAddress, size_t length,
                                         InterruptCompletion completion) = 0;
    // Ends every pending read on the endpoint; each still gets its completion.
    virtual void CancelInterruptReads(uint8_t endpointAddress) = 0;
};
