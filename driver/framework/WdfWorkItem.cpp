// Work items on a thread of their own, joined when the item is deleted.
#include "driver/framework/WdfWorkItem.h"

#include <memory>

WdfWorkItem::WdfWorkItem(PFN_WDF_WORKITEM callback)
    : mCallback(callback), mThread([this] { Run(); }) {}

WdfWorkItem::~WdfWorkItem() {
    OnDispose();
}

void WdfWorkItem::Enqueue() {
    {
        std::lock_guard lock(mMutex);
        if (mStopping) {
            return;
        }
        mQueued = true;
    }
    mChanged.notify_all();
}

void WdfWorkItem::Flush() {
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [this] { return !mQueued && !mRunning; });
}

void WdfWorkItem::OnDispose() {
    Flush();
    {
        std::lock_guard lock(mMutex);
        mStopping = true;
    }
    mChanged.notify_all();
    if (mThread.joinable()) {
        mThread.join();
    }
}

void WdfWorkItem::Run() {
    std::unique_lock lock(mMutex);
    for (;;) {
        mChanged.wait(lock, [this] { return mQueued || mStopping; });
        if (!mQueued) {
            return;
        }
        mQueued = false;
        mRunning = true;
        lock.unlock();
        mCallback(this);
        lock.lock();
        mRunning = false;
        mChanged.notify_all();
    }
}

NTSTATUS WdfWorkItemCreate(const WDF_WORKITEM_CONFIG* config,
                           const WDF_OBJECT_ATTRIBUTES* attributes, WDFWORKITEM* workItem) {
    if (!config->EvtWorkItemFunc || !attributes || !attributes->ParentObject) {
        return STATUS_INVALID_PARAMETER;
    }
    *workItem = attributes->ParentObject->Adopt(
        std::make_unique<WdfWorkItem>(config->EvtWorkItemFunc), attributes);
    return STATUS_SUCCESS;
}

void WdfWorkItemEnqueue(WDFWORKITEM workItem) {
    workItem->Enqueue();
}

void WdfWorkItemFlush(WDFWORKITEM workItem) {
    workItem->Flush();
}
