// Bounds-checked walking of a configuration descriptor.
#include "driver/framework/UsbDescriptors.h"

namespace {

const uint8_t* Bytes(const void* pointer) {
    return static_cast<const uint8_t*>(pointer);
}

}  // namespace

const USB_COMMON_DESCRIPTOR* USBD_ParseDescriptors(const void* buffer, size_t totalLength,
                                                   const void* start, uint8_t descriptorType) {
    const uint8_t* end = Bytes(buffer) + totalLength;
    const uint8_t* at = Bytes(start);
    while (at >= Bytes(buffer) &&
           end - at >= static_cast<ptrdiff_t>(sizeof(USB_COMMON_DESCRIPTOR))) {
        auto* common = reinterpret_cast<const USB_COMMON_DESCRIPTOR*>(at);
        if (common->bLength == 0 || common->bLength > end - at) {
            return nullptr;
        }
        if (common->bDescriptorType == descriptorType) {
            return common;
        }
        at += common->bLength;
    }
    return nullptr;
}

size_t USBD_GetInterfaceLength(const USB_INTERFACE_DESCRIPTOR* interfaceDescriptor,
                               const void* bufferEnd) {
    const uint8_t* begin = Bytes(interfaceDescriptor);
    const uint8_t* end = Bytes(bufferEnd);
    const uint8_t* at = begin + interfaceDescriptor->bLength;
    while (end - at >= static_cast<ptrdiff_t>(sizeof(USB_COMMON_DESCRIPTOR))) {
        auto* common = reinterpret_cast<const USB_COMMON_DESCRIPTOR*>(at);
        if (common->bLength == 0 || common->bLength > end - at ||
            common->bDescriptorType == USB_INTERFACE_DESCRIPTOR_TYPE) {
            break;
        }
        at += common->bLength;
    }
    return static_cast<size_t>(at - begin);
}
