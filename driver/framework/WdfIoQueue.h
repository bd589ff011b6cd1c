// The device's default queue. It presents device-control requests to the driver in parallel:
// each caller's request runs on the caller's thread. Requests run at passive level only (the
// queue is never entered from the notification reader), so the driver may wait in them.
// While the device is not started the queue refuses requests with STATUS_NO_SUCH_DEVICE. When
// the device stops for removal the queue refuses new requests, hands each request the driver
// still has to its stop callback with the purge action (so that the driver ends its waits), and
// waits until the driver has returned them all.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "driver/framework/Ntstatus.h"
#include "driver/framework/WdfDevice.h"
#include "driver/framework/WdfRequest.h"

enum WDF_IO_QUEUE_DISPATCH_TYPE {
    WdfIoQueueDispatchSequential = 1,
    WdfIoQueueDispatchParallel = 2
};

using PFN_WDF_IO_QUEUE_IO_DEVICE_CONTROL = void (*)(WDFQUEUE queue, WDFREQUEST request,
                                                    size_t outputBufferLength,
                                                    size_t inputBufferLength,
                                                    uint32_t ioControlCode);

// The request will not be resumed: the device is going away.
inline constexpr uint32_t WdfRequestStopActionPurge = 0x2;

// Called with the queue's lock held, while the driver has not yet returned the request: it must
// not wait and must not present requests.
using PFN_WDF_IO_QUEUE_IO_STOP = void (*)(WDFQUEUE queue, WDFREQUEST request, uint32_t actionFlags);

struct WDF_IO_QUEUE_CONFIG {
    WDF_IO_QUEUE_DISPATCH_TYPE DispatchType = WdfIoQueueDispatchParallel;
    bool DefaultQueue = false;
    bool PowerManaged = true;
    PFN_WDF_IO_QUEUE_IO_DEVICE_CONTROL EvtIoDeviceControl = nullptr;
    PFN_WDF_IO_QUEUE_IO_STOP EvtIoStop = nullptr;
};

inline void WDF_IO_QUEUE_CONFIG_INIT_DEFAULT_QUEUE(WDF_IO_QUEUE_CONFIG* config,
                                                   WDF_IO_QUEUE_DISPATCH_TYPE dispatchType) {
    *config = WDF_IO_QUEUE_CONFIG{};
    config->DispatchType = dispatchType;
    config->DefaultQueue = true;
}

class WdfIoQueue : public WdfObject {
  public:
    WdfIoQueue(WDFDEVICE device, const WDF_IO_QUEUE_CONFIG& config)
        : mDevice(device), mConfig(config) {}

    WDFDEVICE Device() const { return mDevice; }
    // Hands `request` to the driver and returns when the driver has returned from its callback.
    void Present(WDFREQUEST request);
    void Start();
    // Refuses new requests, stops the presented ones (EvtIoStop) and waits until they have
    // returned.
    void StopAndDrain();

  private:
    WDFDEVICE mDevice;
    WDF_IO_QUEUE_CONFIG mConfig;
    std::mutex mMutex;
    std::condition_variable mIdle;
    std::mutex mSequentialMutex;
    bool mStarted = false;
    std::vector<WDFREQUEST> mPresented;  // presented and not yet returned by the driver
};

NTSTATUS WdfIoQueueCreate(WDFDEVICE device, const WDF_IO_QUEUE_CONFIG* config,
                          const WDF_OBJECT_ATTRIBUTES* attributes, WDFQUEUE* queue);
WDFDEVICE WdfIoQueueGetDevice(WDFQUEUE queue);
