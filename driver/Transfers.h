// The driver's transfers on the device's default pipe: 32-bit register accesses, numbered vendor
// commands and the control pass-through. All of them go through one path that applies the
// transfer time-out, sends even when the target is not started, and traces failures.
#pragma once

#include <cstdint>

#include "driver/DeviceContext.h"
#include "driver/framework/Ntstatus.h"

// A read first zeroes `*value`.
NTSTATUS AccessRegister(DEVICE_CONTEXT* context, bool read, uint16_t address, uint32_t* value);
NTSTATUS SendVendorCommand(DEVICE_CONTEXT* context, bool in, uint16_t value, uint16_t command,
                           void* data, uint16_t length);
// `packet` holds the eight setup bytes followed by the data stage of the setup's length, which
// is sent for an OUT request type and filled for an IN one. The caller checked the size.
NTSTATUS SendControlPassThrough(DEVICE_CONTEXT* context, uint8_t* packet);
