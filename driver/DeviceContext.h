// The per-device state of the driver (the framework context of each device object), the
// context of the connection work item, and the device test that several paths depend on.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>

#include "driver/framework/KeEvent.h"
#include "driver/framework/UsbDescriptors.h"
#include "driver/framework/WdfDevice.h"
#include "driver/framework/WdfIoQueue.h"
#include "driver/framework/WdfMemory.h"
#include "driver/framework/WdfUsb.h"
#include "driver/framework/WdfWorkItem.h"

// Time limits of transfers and sequences. The defaults are the product's; the service's
// parameters may shorten them (tests do).
struct OSTREL_TIMING {
    std::chrono::milliseconds TransferTimeout{2000};
    std::chrono::milliseconds MessageWait{5000};
    std::chrono::milliseconds ValueCommandWait{10000};
    std::chrono::milliseconds BusPollDelay{10};
    uint32_t BusPollCount = 101;
};

struct DEVICE_CONTEXT {
    WDFDEVICE Device = nullptr;
    PDRIVER_OBJECT DriverObject = nullptr;
    WDFQUEUE DefaultQueue = nullptr;
    USB_DEVICE_DESCRIPTOR DeviceDescriptor{};
    // Points into ConfigurationMemory, which is owned by the USB target.
    const USB_CONFIGURATION_DESCRIPTOR* ConfigurationDescriptor = nullptr;
    const USB_INTERFACE_DESCRIPTOR* NotificationInterfaceDescriptor = nullptr;
    WDFUSBDEVICE UsbDevice = nullptr;
    WDFUSBINTERFACE NotificationInterface = nullptr;
    const USB_ENDPOINT_DESCRIPTOR* NotificationEndpointDescriptor = nullptr;
    WDFUSBPIPE NotificationPipe = nullptr;
    PDEVICE_OBJECT PhysicalDeviceObject = nullptr;
    // Empty when the connection interface is not registered.
    std::wstring ConnectionInterfaceLink;
    uint8_t ProgrammingMode = 0;
    std::atomic<uint8_t> ConnectionMask{0};
    std::atomic<uint32_t> ValueCommandResult{0};
    std::atomic<uint32_t> MessageResult{0};
    std::atomic<uint8_t> SelectedPort{0};
    KEVENT ValueCommandEvent;
    KEVENT MessageEvent;
    // Set (never cleared) when the queue stops the requests in the driver because the device is
    // being removed: every notification wait and bus poll ends at once, and a request that did not
    // succeed completes with STATUS_NO_SUCH_DEVICE.
    KEVENT RemovalEvent;

    WDFMEMORY ConfigurationMemory = nullptr;
    // Applies the connection mask to the connection interface; one item, so states are applied
    // one at a time and the last one run matches the last mask.
    WDFWORKITEM ConnectionWorkItem = nullptr;
    // Held for the whole of every request that uses shared state (notification waits and their
    // results, multi-step register sequences, block programming, port selection and the
    // connection mask), so overlapping callers take turns. Single transfers do not take it.
    std::mutex RequestLock;
    OSTREL_TIMING Timing;
};

struct PD_WORKITEM_CONTEXT {
    DEVICE_CONTEXT* DeviceContext = nullptr;
};

inline DEVICE_CONTEXT* DeviceGetContext(WDFDEVICE device) {
    return WdfObjectGetTypedContext<DEVICE_CONTEXT>(device);
}

bool IsEightPortProgrammer(const DEVICE_CONTEXT* context);
