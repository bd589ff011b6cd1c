// The system side of a buffered device-control call: builds the request with its system buffer
// from the caller's input, presents it to the device's default queue, waits for completion, and
// hands back the status, the information value and the output bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "driver/framework/Ntstatus.h"
#include "driver/framework/WdfDevice.h"

namespace io {

struct DeviceIoControlResult {
    NTSTATUS Status = STATUS_UNSUCCESSFUL;
    size_t Information = 0;
    std::vector<uint8_t> Output;  // only on success: the first Information bytes
};

// Information is never more than `outputLength`; a driver that reports more is cut back to it.
DeviceIoControlResult DeviceIoControl(WDFDEVICE device, uint32_t ioControlCode,
                                      std::span<const uint8_t> input, size_t outputLength);

}  // namespace io
