// Kernel notification events: set, clear, and wait with a time-out. A notification event stays
// signalled until it is cleared and releases every waiter.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "driver/framework/Ntstatus.h"

enum EVENT_TYPE { NotificationEvent, SynchronizationEvent };

struct KEVENT {
    std::mutex mutex;
    std::condition_variable changed;
    EVENT_TYPE type = NotificationEvent;
    bool signaled = false;
};

void KeInitializeEvent(KEVENT* event, EVENT_TYPE type, bool state);
void KeSetEvent(KEVENT* event);
void KeClearEvent(KEVENT* event);
// STATUS_SUCCESS once the event is signalled, STATUS_TIMEOUT when `timeout` passed first.
// A synchronisation event is cleared again by the wait that it released.
NTSTATUS KeWaitForSingleObject(KEVENT* event, std::chrono::milliseconds timeout);
