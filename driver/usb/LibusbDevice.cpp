// libusb context, event thread, and the device backend with synchronous control transfers and
// asynchronous interrupt reads.
#include "driver/usb/LibusbDevice.h"

#include <libusb.h>

#include <cstring>

#include "driver/framework/Trace.h"

namespace ostrel::usb {
namespace {

NTSTATUS StatusFromError(int error, const char* call) {
    TraceEvents(TRACE_LEVEL_WARNING, "libusb", "{} failed: {}", call, libusb_error_name(error));
    switch (error) {
        case LIBUSB_ERROR_TIMEOUT:
            return STATUS_IO_TIMEOUT;
        case LIBUSB_ERROR_NO_DEVICE:
            return STATUS_DEVICE_NOT_CONNECTED;
        case LIBUSB_ERROR_NO_MEM:
            return STATUS_INSUFFICIENT_RESOURCES;
        default:
            return STATUS_UNSUCCESSFUL;
    }
}

NTSTATUS StatusFromTransfer(libusb_transfer_status status) {
    switch (status) {
        case LIBUSB_TRANSFER_COMPLETED:
            return STATUS_SUCCESS;
        case LIBUSB_TRANSFER_CANCELLED:
            return STATUS_CANCELLED;
        case LIBUSB_TRANSFER_NO_DEVICE:
            return STATUS_DEVICE_NOT_CONNECTED;
        case LIBUSB_TRANSFER_TIMED_OUT:
            return STATUS_IO_TIMEOUT;
        default:
            return STATUS_UNSUCCESSFUL;
    }
}

}  // namespace

std::shared_ptr<LibusbContext> LibusbContext::Create() {
    libusb_context* context = nullptr;
    int error = libusb_init(&context);
    if (error != 0) {
        StatusFromError(error, "libusb_init");
        return nullptr;
    }
    return std::shared_ptr<LibusbContext>(new LibusbContext(context));
}

LibusbContext::LibusbContext(libusb_context* context)
    : mContext(context), mEvents([this] { HandleEvents(); }) {}

LibusbContext::~LibusbContext() {
    mStopping = true;
    libusb_interrupt_event_handler(mContext);
    mEvents.join();
    libusb_exit(mContext);
}

void LibusbContext::HandleEvents() {
    while (!mStopping) {
        timeval timeout{0, 200000};
        libusb_handle_events_timeout_completed(mContext, &timeout, nullptr);
    }
}

std::shared_ptr<LibusbDevice> LibusbContext::Open(uint8_t bus, uint8_t address) {
    libusb_device** list = nullptr;
    ssize_t count = libusb_get_device_list(mContext, &list);
    if (count < 0) {
        StatusFromError(static_cast<int>(count), "libusb_get_device_list");
        return nullptr;
    }
    libusb_device_handle* handle = nullptr;
    int error = LIBUSB_ERROR_NOT_FOUND;
    for (ssize_t i = 0; i < count; ++i) {
        if (libusb_get_bus_number(list[i]) == bus &&
            libusb_get_device_address(list[i]) == address) {
            error = libusb_open(list[i], &handle);
            break;
        }
    }
    libusb_free_device_list(list, 1);
    if (error != 0) {
        StatusFromError(error, "libusb_open");
        return nullptr;
    }
    return std::make_shared<LibusbDevice>(shared_from_this(), handle);
}

struct LibusbDevice::Read {
    LibusbDevice* Device;
    uint8_t Endpoint;
    std::vector<uint8_t> Buffer;
    InterruptCompletion Completion;
    libusb_transfer* Transfer;
};

LibusbDevice::LibusbDevice(std::shared_ptr<LibusbContext> context, libusb_device_handle* handle)
    : mContext(std::move(context)), mHandle(handle) {}

LibusbDevice::~LibusbDevice() {
    {
        std::unique_lock lock(mReadsMutex);
        for (Read* read : mReads) {
            libusb_cancel_transfer(read->Transfer);
        }
        mReadsChanged.wait(lock, [this] { return mReads.empty(); });
    }
    ReleaseInterfaces();
    libusb_close(mHandle);
}

void LibusbDevice::ReleaseInterfaces() {
    for (uint8_t number : mClaimed) {
        libusb_release_interface(mHandle, number);
    }
    mClaimed.clear();
}

NTSTATUS LibusbDevice::GetDeviceDescriptor(USB_DEVICE_DESCRIPTOR& descriptor) {
    libusb_device_descriptor source;
    int error = libusb_get_device_descriptor(libusb_get_device(mHandle), &source);
    if (error != 0) {
        return StatusFromError(error, "libusb_get_device_descriptor");
    }
    static_assert(sizeof source == sizeof descriptor);
    std::memcpy(&descriptor, &source, sizeof descriptor);
    return STATUS_SUCCESS;
}

NTSTATUS LibusbDevice::GetConfigurationDescriptor(std::vector<uint8_t>& descriptor) {
    USB_CONFIGURATION_DESCRIPTOR header;
    int read = libusb_get_descriptor(mHandle, LIBUSB_DT_CONFIG, 0,
                                     reinterpret_cast<unsigned char*>(&header), sizeof header);
    if (read < 0) {
        return StatusFromError(read, "libusb_get_descriptor (configuration header)");
    }
    if (read < static_cast<int>(sizeof header) || header.wTotalLength < sizeof header) {
        return STATUS_UNSUCCESSFUL;
    }
    descriptor.resize(header.wTotalLength);
    read =
        libusb_get_descriptor(mHandle, LIBUSB_DT_CONFIG, 0, descriptor.data(), header.wTotalLength);
    if (read < 0) {
        return StatusFromError(read, "libusb_get_descriptor (configuration)");
    }
    descriptor.resize(static_cast<size_t>(read));
    return STATUS_SUCCESS;
}

NTSTATUS LibusbDevice::SelectConfiguration(uint8_t configurationValue,
                                           std::span<const uint8_t> interfaceNumbers) {
    ReleaseInterfaces();
    libusb_set_auto_detach_kernel_driver(mHandle, 1);
    int current = 0;
    int error = libusb_get_configuration(mHandle, &current);
    if (error == 0 && current != configurationValue) {
        error = libusb_set_configuration(mHandle, configurationValue);
    }
    if (error != 0) {
        return StatusFromError(error, "libusb_set_configuration");
    }
    for (uint8_t number : interfaceNumbers) {
        error = libusb_claim_interface(mHandle, number);
        if (error != 0) {
            return StatusFromError(error, "libusb_claim_interface");
        }
        mClaimed.push_back(number);
    }
    return STATUS_SUCCESS;
}

NTSTATUS LibusbDevice::ControlTransfer(const USB_SETUP_PACKET& setup, std::span<uint8_t> data,
                                       std::chrono::milliseconds timeout, size_t& transferred) {
    transferred = 0;
    int result = libusb_control_transfer(
        mHandle, setup.bmRequestType, setup.bRequest, setup.wValue, setup.wIndex, data.data(),
        static_cast<uint16_t>(data.size()), static_cast<unsigned int>(timeout.count()));
    if (result < 0) {
        return StatusFromError(result, "libusb_control_transfer");
    }
    transferred = static_cast<size_t>(result);
    return STATUS_SUCCESS;
}

NTSTATUS LibusbDevice::SubmitInterruptRead(uint8_t endpointAddress, size_t length,
                                           InterruptCompletion completion) {
    auto read = std::make_unique<Read>(Read{this, endpointAddress, std::vector<uint8_t>(length),
                                            std::move(completion), libusb_alloc_transfer(0)});
    if (!read->Transfer) {
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    libusb_fill_interrupt_transfer(read->Transfer, mHandle, endpointAddress, read->Buffer.data(),
                                   static_cast<int>(length), &LibusbDevice::ReadFinished,
                                   read.get(), 0);
    std::lock_guard lock(mReadsMutex);
    int error = libusb_submit_transfer(read->Transfer);
    if (error != 0) {
        libusb_free_transfer(read->Transfer);
        return StatusFromError(error, "libusb_submit_transfer");
    }
    mReads.insert(read.release());
    return STATUS_SUCCESS;
}

void LibusbDevice::CancelInterruptReads(uint8_t endpointAddress) {
    std::lock_guard lock(mReadsMutex);
    for (Read* read : mReads) {
        if (read->Endpoint == endpointAddress) {
            libusb_cancel_transfer(read->Transfer);
        }
    }
}

// Runs on the context's event thread.
void LibusbDevice::ReadFinished(libusb_transfer* transfer) {
    std::unique_ptr<Read> read(static_cast<Read*>(transfer->user_data));
    NTSTATUS status = StatusFromTransfer(transfer->status);
    std::span<const uint8_t> data(read->Buffer.data(),
                                  NT_SUCCESS(status) ? transfer->actual_length : 0);
    read->Completion(status, data);
    libusb_free_transfer(transfer);
    LibusbDevice* device = read->Device;
    std::lock_guard lock(device->mReadsMutex);
    device->mReads.erase(read.get());
    device->mReadsChanged.notify_all();
}

}  // namespace ostrel::usb
