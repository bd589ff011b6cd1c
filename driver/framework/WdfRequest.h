// Framework requests with the buffered method: one system buffer holds the caller's input and
// receives the output. A request is completed once, with a status and an information value (the
// number of output bytes the caller gets back).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "driver/framework/Ntstatus.h"
#include "driver/framework/WdfObject.h"

class WdfRequest;
using WDFREQUEST = WdfRequest*;

class WdfRequest : public WdfObject {
  public:
    WdfRequest(uint32_t ioControlCode, std::span<const uint8_t> input, size_t outputLength);

    uint32_t IoControlCode() const { return mIoControlCode; }
    size_t InputLength() const { return mInputLength; }
    size_t OutputLength() const { return mOutputLength; }
    uint8_t* SystemBuffer() { return mSystemBuffer.data(); }

    void Complete(NTSTATUS status, size_t information);
    // Waits for completion; returns the status and sets `information`.
    NTSTATUS WaitForCompletion(size_t& information);
    // The first `count` bytes of the system buffer (the output the caller receives).
    std::span<const uint8_t> Output(size_t count) const;

  private:
    uint32_t mIoControlCode;
    size_t mInputLength;
    size_t mOutputLength;
    std::vector<uint8_t> mSystemBuffer;
    std::mutex mMutex;
    std::condition_variable mCompletedChanged;
    bool mCompleted = false;
    NTSTATUS mStatus = STATUS_SUCCESS;
    size_t mInformation = 0;
};

// The system buffer as input, when the input length is at least `minimumRequiredSize` and not 0;
// STATUS_BUFFER_TOO_SMALL otherwise. `length` may be null.
NTSTATUS WdfRequestRetrieveInputBuffer(WDFREQUEST request, size_t minimumRequiredSize,
                                       void** buffer, size_t* length);
// The system buffer as output, likewise checked against the output length.
NTSTATUS WdfRequestRetrieveOutputBuffer(WDFREQUEST request, size_t minimumRequiredSize,
                                        void** buffer, size_t* length);
void WdfRequestCompleteWithInformation(WDFREQUEST request, NTSTATUS status, size_t information);
void WdfRequestComplete(WDFREQUEST request, NTSTATUS status);
