// USB standard descriptors as laid out on the wire (little-endian, packed), and the parsing
// helpers of the USB client support routines. Pointers returned point into the caller's buffer.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "descriptors are read in place");

inline constexpr uint8_t USB_DEVICE_DESCRIPTOR_TYPE = 0x01;
inline constexpr uint8_t USB_CONFIGURATION_DESCRIPTOR_TYPE = 0x02;
inline constexpr uint8_t USB_INTERFACE_DESCRIPTOR_TYPE = 0x04;
inline constexpr uint8_t USB_ENDPOINT_DESCRIPTOR_TYPE = 0x05;

inline constexpr uint8_t USB_ENDPOINT_DIRECTION_MASK = 0x80;
inline constexpr uint8_t USB_ENDPOINT_TYPE_MASK = 0x03;
inline constexpr uint8_t USB_ENDPOINT_TYPE_INTERRUPT = 0x03;

#pragma pack(push, 1)

struct USB_COMMON_DESCRIPTOR {
    uint8_t bLength;
    uint8_t bDescriptorType;
};

struct USB_DEVICE_DESCRIPTOR {
    uint8_t bLength;
    uint8_t bDescriptorType;
    uint16_t bcdUSB;
    uint8_t bDeviceClass;
    uint8_t bDeviceSubClass;
    uint8_t bDeviceProtocol;
    uint8_t bMaxPacketSize0;
    uint16_t idVendor;
    uint16_t idProduct;
    uint16_t bcdDevice;
    uint8_t iManufacturer;
    uint8_t iProduct;
    uint8_t iSerialNumber;
    uint8_t bNumConfigurations;
};

struct USB_CONFIGURATION_DESCRIPTOR {
    uint8_t bLength;
    uint8_t bDescriptorType;
    uint16_t wTotalLength;
    uint8_t bNumInterfaces;
    uint8_t bConfigurationValue;
    uint8_t iConfiguration;
    uint8_t bmAttributes;
    uint8_t MaxPower;
};

struct USB_INTERFACE_DESCRIPTOR {
    uint8_t bLength;
    uint8_t bDescriptorType;
    uint8_t bInterfaceNumber;
    uint8_t bAlternateSetting;
    uint8_t bNumEndpoints;
    uint8_t bInterfaceClass;
    uint8_t bInterfaceSubClass;
    uint8_t bInterfaceProtocol;
    uint8_t iInterface;
};

struct USB_ENDPOINT_DESCRIPTOR {
    uint8_t bLength;
    uint8_t bDescriptorType;
    uint8_t bEndpointAddress;
    uint8_t bmAttributes;
    uint16_t wMaxPacketSize;
    uint8_t bInterval;
};

#pragma pack(pop)

static_assert(sizeof(USB_DEVICE_DESCRIPTOR) == 18);
static_assert(sizeof(USB_CONFIGURATION_DESCRIPTOR) == 9);
static_assert(sizeof(USB_INTERFACE_DESCRIPTOR) == 9);
static_assert(sizeof(USB_ENDPOINT_DESCRIPTOR) == 7);

// The first descriptor of `descriptorType` at or after `start` within the `totalLength` bytes
// at `buffer`, or nullptr. A descriptor whose length is 0 or runs past the end stops the walk.
const USB_COMMON_DESCRIPTOR* USBD_ParseDescriptors(const void* buffer, size_t totalLength,
                                                   const void* start, uint8_t descriptorType);

// The length of an interface's descriptors: from `interfaceDescriptor` up to the next interface
// descriptor or `bufferEnd`.
size_t USBD_GetInterfaceLength(const USB_INTERFACE_DESCRIPTOR* interfaceDescriptor,
                               const void* bufferEnd);
