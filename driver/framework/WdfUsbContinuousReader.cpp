// Pipes and the continuous reader of an interrupt IN pipe.
//
//   Start ──► NumPendingReads reads pending ──► read completes
//                      ▲                            │ success: completion routine
//                      └──── sent again ◄───────────┤ failure: traced
//                                                   └ cancelled / device gone / stopping: ends
//   Stop: refuse new reads, cancel the pending ones, wait until none is left.
#include <cstring>

#include "driver/framework/Trace.h"
#include "driver/framework/WdfUsb.h"

namespace {

constexpr uint8_t kDefaultPendingReads = 2;

}  // namespace

WdfUsbPipe::~WdfUsbPipe() {
    OnDispose();
}

void WdfUsbPipe::OnDispose() {
    Stop(WdfIoTargetCancelSentIo);
}

NTSTATUS WdfUsbPipe::ConfigureContinuousReader(const WDF_USB_CONTINUOUS_READER_CONFIG& config) {
    if (!config.EvtUsbTargetPipeReadComplete || config.TransferLength == 0 ||
        (mInformation.EndpointAddress & USB_ENDPOINT_DIRECTION_MASK) == 0) {
        return STATUS_INVALID_PARAMETER;
    }
    if (mCheckMaximumPacketSize && mInformation.MaximumPacketSize != 0 &&
        config.TransferLength % mInformation.MaximumPacketSize != 0) {
        return STATUS_INVALID_PARAMETER;
    }
    std::lock_guard lock(mTargetMutex);
    if (mReaderConfigured) {
        return STATUS_INVALID_DEVICE_STATE;
    }
    mReader = config;
    if (mReader.NumPendingReads == 0) {
        mReader.NumPendingReads = kDefaultPendingReads;
    }
    mReaderConfigured = true;
    return STATUS_SUCCESS;
}

NTSTATUS WdfUsbPipe::Start() {
    std::lock_guard lock(mTargetMutex);
    if (mStarted) {
        return STATUS_SUCCESS;
    }
    mStarted = true;
    if (!mReaderConfigured) {
        return STATUS_SUCCESS;
    }
    for (uint8_t i = 0; i < mReader.NumPendingReads; ++i) {
        NTSTATUS status = SubmitRead();
        if (!NT_SUCCESS(status)) {
            return status;
        }
    }
    return STATUS_SUCCESS;
}

void WdfUsbPipe::Stop(WDF_IO_TARGET_SENT_IO_ACTION) {
    {
        std::lock_guard lock(mTargetMutex);
        mStarted = false;
        if (mReadsInFlight == 0) {
            return;
        }
    }
    mBackend->CancelInterruptReads(mInformation.EndpointAddress);
    std::unique_lock lock(mTargetMutex);
    mReadsChanged.wait(lock, [this] { return mReadsInFlight == 0; });
}

NTSTATUS WdfUsbPipe::SubmitRead() {
    size_t length = mReader.HeaderLength + mReader.TransferLength + mReader.TrailerLength;
    ++mReadsInFlight;
    NTSTATUS status =
        mBackend->SubmitInterruptRead(mInformation.EndpointAddress, length,
                                      [this](NTSTATUS readStatus, std::span<const uint8_t> data) {
                                          ReadCompleted(readStatus, data);
                                      });
    if (!NT_SUCCESS(status)) {
        --mReadsInFlight;
        mReadsChanged.notify_all();
        TraceEvents(TRACE_LEVEL_ERROR, "usb", "sending a read on endpoint {:#04x} failed: {:#010x}",
                    mInformation.EndpointAddress, static_cast<uint32_t>(status));
    }
    return status;
}

void WdfUsbPipe::ReadCompleted(NTSTATUS status, std::span<const uint8_t> data) {
    bool stopping;
    {
        std::lock_guard lock(mTargetMutex);
        stopping = !mStarted;
    }
    bool ended = stopping || status == STATUS_CANCELLED || status == STATUS_DEVICE_NOT_CONNECTED;
    if (NT_SUCCESS(status) && !stopping) {
        size_t payload = data.size() > mReader.HeaderLength + mReader.TrailerLength
                             ? data.size() - mReader.HeaderLength - mReader.TrailerLength
                             : 0;
        WdfMemory buffer(payload == 0 ? 1 : payload);
        if (payload) {
            std::memcpy(buffer.Buffer(), data.data() + mReader.HeaderLength, payload);
        }
        mReader.EvtUsbTargetPipeReadComplete(this, &buffer, payload,
                                             mReader.EvtUsbTargetPipeReadCompleteContext);
    } else if (!NT_SUCCESS(status) && !ended) {
        TraceEvents(TRACE_LEVEL_WARNING, "usb", "read on endpoint {:#04x} failed: {:#010x}",
                    mInformation.EndpointAddress, static_cast<uint32_t>(status));
    }
    std::lock_guard lock(mTargetMutex);
    --mReadsInFlight;
    if (!ended && mStarted) {
        SubmitRead();
    }
    mReadsChanged.notify_all();
}

void WdfUsbTargetPipeSetNoMaximumPacketSizeCheck(WDFUSBPIPE pipe) {
    pipe->SetNoMaximumPacketSizeCheck();
}

bool WdfUsbTargetPipeIsInEndpoint(WDFUSBPIPE pipe) {
    return (pipe->Information().EndpointAddress & USB_ENDPOINT_DIRECTION_MASK) != 0;
}

NTSTATUS WdfUsbTargetPipeConfigContinuousReader(WDFUSBPIPE pipe,
                                                const WDF_USB_CONTINUOUS_READER_CONFIG* config) {
    return pipe->ConfigureContinuousReader(*config);
}

WDFIOTARGET WdfUsbTargetPipeGetIoTarget(WDFUSBPIPE pipe) {
    return pipe;
}
