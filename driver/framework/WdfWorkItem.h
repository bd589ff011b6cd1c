// Framework work items: a callback run later at passive level on the work item's own thread.
// Enqueueing an item that is already queued does nothing; an item never runs concurrently with
// itself; deleting it (or its parent) waits for a queued or running callback to finish.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "driver/framework/Ntstatus.h"
#include "driver/framework/WdfObject.h"

class WdfWorkItem;
using WDFWORKITEM = WdfWorkItem*;
using PFN_WDF_WORKITEM = void (*)(WDFWORKITEM workItem);

struct WDF_WORKITEM_CONFIG {
    PFN_WDF_WORKITEM EvtWorkItemFunc = nullptr;
    bool AutomaticSerialization = true;
};

inline void WDF_WORKITEM_CONFIG_INIT(WDF_WORKITEM_CONFIG* config, PFN_WDF_WORKITEM callback) {
    *config = WDF_WORKITEM_CONFIG{callback, true};
}

class WdfWorkItem : public WdfObject {
  public:
    explicit WdfWorkItem(PFN_WDF_WORKITEM callback);
    ~WdfWorkItem() override;

    void Enqueue();
    void Flush();

  protected:
    void OnDispose() override;

  private:
    void Run();

    PFN_WDF_WORKITEM mCallback;
    std::mutex mMutex;
    std::condition_variable mChanged;
    bool mQueued = false;
    bool mRunning = false;
    bool mStopping = false;
    std::thread mThread;
};

// Creates a work item; `attributes->ParentObject` is required.
NTSTATUS WdfWorkItemCreate(const WDF_WORKITEM_CONFIG* config,
                           const WDF_OBJECT_ATTRIBUTES* attributes, WDFWORKITEM* workItem);
void WdfWorkItemEnqueue(WDFWORKITEM workItem);
// Waits until the callback queued before this call has run.
void WdfWorkItemFlush(WDFWORKITEM workItem);
