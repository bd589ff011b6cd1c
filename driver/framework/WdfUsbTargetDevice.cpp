// The USB target device: descriptors, configuration selection and control transfers.
#include "driver/framework/WdfUsb.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "driver/framework/Trace.h"

NTSTATUS WdfIoTarget::Start() {
    std::lock_guard lock(mTargetMutex);
    mStarted = true;
    return STATUS_SUCCESS;
}

void WdfIoTarget::Stop(WDF_IO_TARGET_SENT_IO_ACTION) {
    std::lock_guard lock(mTargetMutex);
    mStarted = false;
}

bool WdfIoTarget::IsStarted() const {
    std::lock_guard lock(mTargetMutex);
    return mStarted;
}

NTSTATUS WdfIoTargetStart(WDFIOTARGET target) {
    return target->Start();
}

void WdfIoTargetStop(WDFIOTARGET target, WDF_IO_TARGET_SENT_IO_ACTION action) {
    target->Stop(action);
}

void WDF_USB_CONTROL_SETUP_PACKET_INIT_VENDOR(WDF_USB_CONTROL_SETUP_PACKET* packet,
                                              WDF_USB_BMREQUEST_DIRECTION direction,
                                              WDF_USB_BMREQUEST_RECIPIENT recipient,
                                              uint8_t request, uint16_t value, uint16_t index) {
    constexpr uint8_t kVendorType = 0x40;
    packet->bmRequestType = static_cast<uint8_t>((direction << 7) | kVendorType | recipient);
    packet->bRequest = request;
    packet->wValue = value;
    packet->wIndex = index;
    packet->wLength = 0;
}

NTSTATUS WdfUsbTargetDeviceCreate(WDFDEVICE device, const WDF_OBJECT_ATTRIBUTES* attributes,
                                  WDFUSBDEVICE* usbDevice) {
    PDEVICE_OBJECT physicalDevice = device->PhysicalDevice();
    if (!physicalDevice->Usb) {
        return STATUS_NO_SUCH_DEVICE;
    }
    *usbDevice =
        device->Adopt(std::make_unique<WdfUsbTargetDevice>(physicalDevice->Usb), attributes);
    return STATUS_SUCCESS;
}

void WdfUsbTargetDeviceGetDeviceDescriptor(WDFUSBDEVICE usbDevice,
                                           USB_DEVICE_DESCRIPTOR* descriptor) {
    if (!NT_SUCCESS(usbDevice->Backend().GetDeviceDescriptor(*descriptor))) {
        *descriptor = USB_DEVICE_DESCRIPTOR{};
    }
}

NTSTATUS WdfUsbTargetDeviceRetrieveConfigDescriptor(WDFUSBDEVICE usbDevice, void* descriptor,
                                                    uint16_t* length) {
    std::vector<uint8_t> bytes;
    NTSTATUS status = usbDevice->Backend().GetConfigurationDescriptor(bytes);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    if (bytes.size() < sizeof(USB_CONFIGURATION_DESCRIPTOR) || bytes.size() > UINT16_MAX) {
        return STATUS_UNSUCCESSFUL;
    }
    if (!descriptor || *length < bytes.size()) {
        *length = static_cast<uint16_t>(bytes.size());
        return STATUS_BUFFER_TOO_SMALL;
    }
    std::memcpy(descriptor, bytes.data(), bytes.size());
    *length = static_cast<uint16_t>(bytes.size());
    return STATUS_SUCCESS;
}

namespace {

WDF_USB_PIPE_TYPE PipeTypeOf(const USB_ENDPOINT_DESCRIPTOR& endpoint) {
    switch (endpoint.bmAttributes & USB_ENDPOINT_TYPE_MASK) {
        case 0:
            return WdfUsbPipeTypeControl;
        case 1:
            return WdfUsbPipeTypeIsochronous;
        case 2:
            return WdfUsbPipeTypeBulk;
        default:
            return WdfUsbPipeTypeInterrupt;
    }
}

// Creates the interface objects (alternate setting 0) and their pipes from the descriptor.
void CreateInterfaces(WDFUSBDEVICE usbDevice, const std::vector<uint8_t>& bytes,
                      const WDF_OBJECT_ATTRIBUTES* attributes) {
    const uint8_t* begin = bytes.data();
    const uint8_t* end = begin + bytes.size();
    const void* at = begin;
    while (auto* found =
               USBD_ParseDescriptors(begin, bytes.size(), at, USB_INTERFACE_DESCRIPTOR_TYPE)) {
        auto* descriptor = reinterpret_cast<const USB_INTERFACE_DESCRIPTOR*>(found);
        size_t interfaceLength = USBD_GetInterfaceLength(descriptor, end);
        at = reinterpret_cast<const uint8_t*>(descriptor) + interfaceLength;
        if (descriptor->bLength < sizeof(USB_INTERFACE_DESCRIPTOR) ||
            descriptor->bAlternateSetting != 0) {
            continue;
        }
        WDFUSBINTERFACE usbInterface =
            usbDevice->Adopt(std::make_unique<WdfUsbInterface>(*descriptor), attributes);
        usbDevice->AddInterface(usbInterface);
        const void* endpointAt = descriptor;
        size_t remaining = interfaceLength;
        while (auto* endpointFound = USBD_ParseDescriptors(descriptor, remaining, endpointAt,
                                                           USB_ENDPOINT_DESCRIPTOR_TYPE)) {
            auto* endpoint = reinterpret_cast<const USB_ENDPOINT_DESCRIPTOR*>(endpointFound);
            endpointAt = reinterpret_cast<const uint8_t*>(endpoint) + endpoint->bLength;
            if (endpoint->bLength < sizeof(USB_ENDPOINT_DESCRIPTOR)) {
                continue;
            }
            WDF_USB_PIPE_INFORMATION information;
            information.MaximumPacketSize = endpoint->wMaxPacketSize & 0x7FF;
            information.EndpointAddress = endpoint->bEndpointAddress;
            information.Interval = endpoint->bInterval;
            information.PipeType = PipeTypeOf(*endpoint);
            usbInterface->AddPipe(usbInterface->Adopt(
                std::make_unique<WdfUsbPipe>(usbDevice->SharedBackend(), information), nullptr));
        }
    }
}

}  // namespace

NTSTATUS WdfUsbTargetDeviceSelectConfig(WDFUSBDEVICE usbDevice,
                                        const WDF_OBJECT_ATTRIBUTES* attributes,
                                        WDF_USB_DEVICE_SELECT_CONFIG_PARAMS* params) {
    std::vector<uint8_t> bytes;
    NTSTATUS status = usbDevice->Backend().GetConfigurationDescriptor(bytes);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    if (bytes.size() < sizeof(USB_CONFIGURATION_DESCRIPTOR)) {
        return STATUS_UNSUCCESSFUL;
    }
    for (WDFUSBINTERFACE old : usbDevice->Interfaces()) {
        WdfObjectDelete(old);
    }
    usbDevice->ClearInterfaces();
    CreateInterfaces(usbDevice, bytes, attributes);
    std::vector<uint8_t> numbers;
    for (WDFUSBINTERFACE usbInterface : usbDevice->Interfaces()) {
        numbers.push_back(usbInterface->Descriptor().bInterfaceNumber);
    }
    auto* configuration = reinterpret_cast<const USB_CONFIGURATION_DESCRIPTOR*>(bytes.data());
    status = usbDevice->Backend().SelectConfiguration(configuration->bConfigurationValue, numbers);
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_ERROR, "usb", "selecting configuration {} failed: {:#010x}",
                    configuration->bConfigurationValue, static_cast<uint32_t>(status));
        return status;
    }
    params->NumberConfiguredInterfaces = static_cast<uint8_t>(numbers.size());
    return STATUS_SUCCESS;
}

WDFUSBINTERFACE WdfUsbTargetDeviceGetInterface(WDFUSBDEVICE usbDevice, uint8_t interfaceIndex) {
    const auto& interfaces = usbDevice->Interfaces();
    return interfaceIndex < interfaces.size() ? interfaces[interfaceIndex] : nullptr;
}

NTSTATUS WdfUsbTargetDeviceSendControlTransferSynchronously(
    WDFUSBDEVICE usbDevice, void*, const WDF_REQUEST_SEND_OPTIONS* options,
    WDF_USB_CONTROL_SETUP_PACKET* setupPacket, const WDF_MEMORY_DESCRIPTOR* memory,
    uint32_t* bytesTransferred) {
    if (bytesTransferred) {
        *bytesTransferred = 0;
    }
    uint32_t flags = options ? options->Flags : 0;
    if (!(flags & WDF_REQUEST_SEND_OPTION_IGNORE_TARGET_STATE) && !usbDevice->IsStarted()) {
        return STATUS_INVALID_DEVICE_STATE;
    }
    uint32_t length = memory ? memory->BufferLength : 0;
    if (length > UINT16_MAX || (length > 0 && !memory->Buffer)) {
        return STATUS_INVALID_PARAMETER;
    }
    setupPacket->wLength = static_cast<uint16_t>(length);
    std::chrono::milliseconds timeout =
        (flags & WDF_REQUEST_SEND_OPTION_TIMEOUT) ? options->Timeout : std::chrono::milliseconds(0);
    std::span<uint8_t> data(length ? static_cast<uint8_t*>(memory->Buffer) : nullptr, length);
    size_t transferred = 0;
    NTSTATUS status =
        usbDevice->Backend().ControlTransfer(*setupPacket, data, timeout, transferred);
    if (bytesTransferred) {
        *bytesTransferred = static_cast<uint32_t>(transferred);
    }
    return status;
}

uint8_t WdfUsbInterfaceGetNumConfiguredPipes(WDFUSBINTERFACE usbInterface) {
    return static_cast<uint8_t>(usbInterface->Pipes().size());
}

WDFUSBPIPE WdfUsbInterfaceGetConfiguredPipe(WDFUSBINTERFACE usbInterface, uint8_t pipeIndex,
                                            WDF_USB_PIPE_INFORMATION* information) {
    const auto& pipes = usbInterface->Pipes();
    if (pipeIndex >= pipes.size()) {
        return nullptr;
    }
    if (information) {
        *information = pipes[pipeIndex]->Information();
    }
    return pipes[pipeIndex];
}
