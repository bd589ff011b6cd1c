// Presenting requests to the driver, and stopping and draining the queue when the device stops.
#include "driver/framework/WdfIoQueue.h"

#include <algorithm>
#include <memory>
#include <optional>

void WdfIoQueue::Present(WDFREQUEST request) {
    {
        std::lock_guard lock(mMutex);
        if (!mStarted || !mConfig.EvtIoDeviceControl) {
            WdfRequestComplete(request,
                               mStarted ? STATUS_INVALID_DEVICE_REQUEST : STATUS_NO_SUCH_DEVICE);
            return;
        }
        mPresented.push_back(request);
    }
    {
        std::optional<std::lock_guard<std::mutex>> sequential;
        if (mConfig.DispatchType == WdfIoQueueDispatchSequential) {
            sequential.emplace(mSequentialMutex);
        }
        mConfig.EvtIoDeviceControl(this, request, request->OutputLength(), request->InputLength(),
                                   request->IoControlCode());
    }
    std::lock_guard lock(mMutex);
    mPresented.erase(std::find(mPresented.begin(), mPresented.end(), request));
    if (mPresented.empty()) {
        mIdle.notify_all();
    }
}

void WdfIoQueue::Start() {
    std::lock_guard lock(mMutex);
    mStarted = true;
}

void WdfIoQueue::StopAndDrain() {
    std::unique_lock lock(mMutex);
    mStarted = false;
    if (mConfig.EvtIoStop) {
        for (WDFREQUEST request : mPresented) {
            mConfig.EvtIoStop(this, request, WdfRequestStopActionPurge);
        }
    }
    mIdle.wait(lock, [this] { return mPresented.empty(); });
}

NTSTATUS WdfIoQueueCreate(WDFDEVICE device, const WDF_IO_QUEUE_CONFIG* config,
                          const WDF_OBJECT_ATTRIBUTES* attributes, WDFQUEUE* queue) {
    if (!config->EvtIoDeviceControl) {
        return STATUS_INVALID_PARAMETER;
    }
    WDFQUEUE created = device->Adopt(std::make_unique<WdfIoQueue>(device, *config), attributes);
    if (config->DefaultQueue) {
        device->SetDefaultQueue(created);
    }
    if (queue) {
        *queue = created;
    }
    return STATUS_SUCCESS;
}

WDFDEVICE WdfIoQueueGetDevice(WDFQUEUE queue) {
    return queue->Device();
}
