// Kernel dispatcher events: set, clear, read, and wait for one event or for the first of several,
// with a time-out. A notification event stays signalled until it is cleared and releases every
// waiter; a synchronisation event is cleared again by the wait that it released. As in the
// kernel, every event is guarded by one dispatcher lock, which is what lets a thread wait for
// several events at once.
#pragma once

#include <chrono>
#include <span>

#include "driver/framework/Ntstatus.h"

enum EVENT_TYPE { NotificationEvent, SynchronizationEvent };
enum WAIT_TYPE { WaitAny = 1 };

// Its fields belong to the dispatcher: use the functions below.
struct KEVENT {
    EVENT_TYPE type = NotificationEvent;
    bool signaled = false;
};

void KeInitializeEvent(KEVENT* event, EVENT_TYPE type, bool state);
void KeSetEvent(KEVENT* event);
void KeClearEvent(KEVENT* event);
// Whether the event is signalled now.
bool KeReadStateEvent(KEVENT* event);
// STATUS_SUCCESS once the event is signalled, STATUS_TIMEOUT when `timeout` passed first.
NTSTATUS KeWaitForSingleObject(KEVENT* event, std::chrono::milliseconds timeout);
// With WaitAny: STATUS_WAIT_0 + i for the first of `events` (in their order) that is signalled,
// STATUS_TIMEOUT when none is within `timeout`.
NTSTATUS KeWaitForMultipleObjects(std::span<KEVENT* const> events, WAIT_TYPE waitType,
                                  std::chrono::milliseconds timeout);
