// Buffered device-control requests and their completion.
#include "driver/framework/WdfRequest.h"

#include <algorithm>

WdfRequest::WdfRequest(uint32_t ioControlCode, std::span<const uint8_t> input, size_t outputLength)
    : mIoControlCode(ioControlCode),
      mInputLength(input.size()),
      mOutputLength(outputLength),
      mSystemBuffer(std::max(input.size(), outputLength)) {
    std::copy(input.begin(), input.end(), mSystemBuffer.begin());
}

void WdfRequest::Complete(NTSTATUS status, size_t information) {
    {
        std::lock_guard lock(mMutex);
        mCompleted = true;
        mStatus = status;
        mInformation = information;
    }
    mCompletedChanged.notify_all();
}

NTSTATUS WdfRequest::WaitForCompletion(size_t& information) {
    std::unique_lock lock(mMutex);
    mCompletedChanged.wait(lock, [this] { return mCompleted; });
    information = mInformation;
    return mStatus;
}

std::span<const uint8_t> WdfRequest::Output(size_t count) const {
    return std::span<const uint8_t>(mSystemBuffer).first(std::min(count, mSystemBuffer.size()));
}

namespace {

NTSTATUS RetrieveBuffer(WDFREQUEST request, size_t available, size_t minimumRequiredSize,
                        void** buffer, size_t* length) {
    if (available == 0 || available < minimumRequiredSize) {
        return STATUS_BUFFER_TOO_SMALL;
    }
    *buffer = request->SystemBuffer();
    if (length) {
        *length = available;
    }
    return STATUS_SUCCESS;
}

}  // namespace

NTSTATUS WdfRequestRetrieveInputBuffer(WDFREQUEST request, size_t minimumRequiredSize,
                                       void** buffer, size_t* length) {
    return RetrieveBuffer(request, request->InputLength(), minimumRequiredSize, buffer, length);
}

NTSTATUS WdfRequestRetrieveOutputBuffer(WDFREQUEST request, size_t minimumRequiredSize,
                                        void** buffer, size_t* length) {
    return RetrieveBuffer(request, request->OutputLength(), minimumRequiredSize, buffer, length);
}

void WdfRequestCompleteWithInformation(WDFREQUEST request, NTSTATUS status, size_t information) {
    request->Complete(status, information);
}

void WdfRequestComplete(WDFREQUEST request, NTSTATUS status) {
    request->Complete(status, 0);
}
