// Buffered device-control calls presented to a device's default queue.
#include "driver/framework/IoManager.h"

#include <algorithm>

#include "driver/framework/Trace.h"
#include "driver/framework/WdfIoQueue.h"

namespace io {

DeviceIoControlResult DeviceIoControl(WDFDEVICE device, uint32_t ioControlCode,
                                      std::span<const uint8_t> input, size_t outputLength) {
    DeviceIoControlResult result;
    if (!device->DefaultQueue()) {
        result.Status = STATUS_INVALID_DEVICE_REQUEST;
        return result;
    }
    WdfRequest request(ioControlCode, input, outputLength);
    device->DefaultQueue()->Present(&request);
    result.Status = request.WaitForCompletion(result.Information);
    if (result.Information > outputLength) {
        TraceEvents(TRACE_LEVEL_WARNING, "io",
                    "request {:#010x} reported {} bytes for {} of output", ioControlCode,
                    result.Information, outputLength);
        result.Information = outputLength;
    }
    if (NT_SUCCESS(result.Status)) {
        auto output = request.Output(result.Information);
        result.Output.assign(output.begin(), output.end());
    }
    return result;
}

}  // namespace io
