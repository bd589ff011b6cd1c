// The multi-step device protocols built on the transfers: waits for notifications, messages to
// the far side of the link (VDM register accesses), the indirect bus, and the programmable block.
// They block the calling request's thread and must run with the device's RequestLock held.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>

#include "driver/DeviceContext.h"
#include "driver/framework/Ntstatus.h"

// Before the command that provokes a notification: clears the result and the event.
void PrepareNotificationWait(KEVENT* event, std::atomic<uint32_t>* result);
// After the command: success when the notification came within `limit` with result 1;
// STATUS_UNSUCCESSFUL on a time-out or result 0; STATUS_NO_SUCH_DEVICE, at once, when the device
// is being removed.
NTSTATUS WaitForNotification(DEVICE_CONTEXT* context, KEVENT* event,
                             const std::atomic<uint32_t>* result, std::chrono::milliseconds limit);

// A register read or write message to the far side; on the eight-port programmer it waits for
// the message notification. For a read `data` is set to 0 first.
NTSTATUS SendVdm(DEVICE_CONTEXT* context, bool read, uint16_t address, uint8_t* data);
// Fails when the response does not echo `address`.
bool VdmReadRegister(DEVICE_CONTEXT* context, uint16_t address, uint8_t* data);
bool VdmWriteRegister(DEVICE_CONTEXT* context, uint16_t address, uint8_t data);

// `address` is the target's 8-bit form. The read stores the data register's byte even when the
// controller never reports completion (and then fails).
NTSTATUS BusReadByte(DEVICE_CONTEXT* context, uint8_t address, uint16_t offset, uint8_t* data);
NTSTATUS BusWrite(DEVICE_CONTEXT* context, uint8_t address, uint16_t offset, uint32_t data);

// The block through message register accesses (devices other than the eight-port programmer).
// A failed read leaves the bytes read so far; a failed write leaves the block partly programmed.
bool ReadBlock(DEVICE_CONTEXT* context, std::span<uint8_t, 32> block);
bool WriteBlock(DEVICE_CONTEXT* context, std::span<const uint8_t, 32> block);
bool ProgramByte(DEVICE_CONTEXT* context, uint8_t index, uint8_t current, uint8_t next);

// The block on the eight-port programmer, through its own commands; `buffer` is the caller's
// whole buffer (1 to 65535 bytes).
bool ReadBlockEightPort(DEVICE_CONTEXT* context, std::span<uint8_t> buffer);
bool WriteBlockEightPort(DEVICE_CONTEXT* context, std::span<uint8_t> buffer);
