// Kernel events over a mutex and a condition variable.
#include "driver/framework/KeEvent.h"

void KeInitializeEvent(KEVENT* event, EVENT_TYPE type, bool state) {
    std::lock_guard lock(event->mutex);
    event->type = type;
    event->signaled = state;
}

void KeSetEvent(KEVENT* event) {
    {
        std::lock_guard lock(event->mutex);
        event->signaled = true;
    }
    event->changed.notify_all();
}

void KeClearEvent(KEVENT* event) {
    std::lock_guard lock(event->mutex);
    event->signaled = false;
}

NTSTATUS KeWaitForSingleObject(KEVENT* event, std::chrono::milliseconds timeout) {
    std::unique_lock lock(event->mutex);
    if (!event->changed.wait_for(lock, timeout, [event] { return event->signaled; })) {
        return STATUS_TIMEOUT;
    }
    if (event->type == SynchronizationEvent) {
        event->signaled = false;
    }
    return STATUS_SUCCESS;
}
