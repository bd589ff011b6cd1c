// Kernel events under one process-wide dispatcher lock and condition variable.
#include "driver/framework/KeEvent.h"

#include <condition_variable>
#include <mutex>

namespace {

std::mutex gDispatcherLock;
std::condition_variable gDispatcherChanged;

}  // namespace

void KeInitializeEvent(KEVENT* event, EVENT_TYPE type, bool state) {
    std::lock_guard lock(gDispatcherLock);
    event->type = type;
    event->signaled = state;
}

void KeSetEvent(KEVENT* event) {
    {
        std::lock_guard lock(gDispatcherLock);
        event->signaled = true;
    }
    gDispatcherChanged.notify_all();
}

void KeClearEvent(KEVENT* event) {
    std::lock_guard lock(gDispatcherLock);
    event->signaled = false;
}

bool KeReadStateEvent(KEVENT* event) {
    std::lock_guard lock(gDispatcherLock);
    return event->signaled;
}

NTSTATUS KeWaitForSingleObject(KEVENT* event, std::chrono::milliseconds timeout) {
    KEVENT* const events[] = {event};
    return KeWaitForMultipleObjects(events, WaitAny, timeout);
}

NTSTATUS KeWaitForMultipleObjects(std::span<KEVENT* const> events, WAIT_TYPE,
                                  std::chrono::milliseconds timeout) {
    std::unique_lock lock(gDispatcherLock);
    size_t index = 0;
    auto anySignaled = [&] {
        for (index = 0; index < events.size(); ++index) {
            if (events[index]->signaled) {
                return true;
            }
        }
        return false;
    };
    if (!gDispatcherChanged.wait_for(lock, timeout, anySignaled)) {
        return STATUS_TIMEOUT;
    }
    if (events[index]->type == SynchronizationEvent) {
        events[index]->signaled = false;
    }
    return STATUS_WAIT_0 + static_cast<NTSTATUS>(index);
}
