// What a user-mode tool needs to talk to the driver: the two device interfaces and the
// device-control codes of the main interface (device type 0x2000, functions 0x200 to 0x213,
// buffered method, any access).
#pragma once

#include <cstdint>

#include "driver/framework/Guid.h"

// The main interface, published while the device is started.
inline constexpr GUID DEVICE_INTERFACE_GUID = {
    0x5ED482B5, 0xC8CE, 0x4E31, {0xAD, 0x98, 0xC0, 0x02, 0x82, 0xA5, 0x68, 0x31}};
// Published while a port of the device is connected.
inline constexpr GUID CONNECTION_INTERFACE_GUID = {
    0x75ACB5A5, 0x74FE, 0x4845, {0x9B, 0x48, 0xCB, 0x0E, 0xF6, 0xA2, 0x14, 0x04}};

inline constexpr uint32_t FILE_DEVICE_OSTREL = 0x2000;
inline constexpr uint32_t METHOD_BUFFERED = 0;
inline constexpr uint32_t FILE_ANY_ACCESS = 0;

constexpr uint32_t CTL_CODE(uint32_t deviceType, uint32_t function, uint32_t method,
                            uint32_t access) {
    return (deviceType << 16) | (access << 14) | (function << 2) | method;
}

constexpr uint32_t OstrelIoctl(uint32_t function) {
    return CTL_CODE(FILE_DEVICE_OSTREL, function, METHOD_BUFFERED, FILE_ANY_ACCESS);
}

inline constexpr uint32_t IOCTL_READ_REGISTER = OstrelIoctl(0x200);
inline constexpr uint32_t IOCTL_WRITE_REGISTER = OstrelIoctl(0x201);
inline constexpr uint32_t IOCTL_BUS_READ_BYTE = OstrelIoctl(0x202);
inline constexpr uint32_t IOCTL_BUS_WRITE = OstrelIoctl(0x203);
inline constexpr uint32_t IOCTL_CONTROL_TRANSFER = OstrelIoctl(0x204);
inline constexpr uint32_t IOCTL_READ_BLOCK = OstrelIoctl(0x205);
inline constexpr uint32_t IOCTL_WRITE_BLOCK = OstrelIoctl(0x206);
inline constexpr uint32_t IOCTL_VDM_READ_REGISTER = OstrelIoctl(0x207);
inline constexpr uint32_t IOCTL_VDM_WRITE_REGISTER = OstrelIoctl(0x208);
inline constexpr uint32_t IOCTL_GET_PORT_CONNECTED = OstrelIoctl(0x209);
inline constexpr uint32_t IOCTL_SEND_VALUE_AND_WAIT = OstrelIoctl(0x20A);
inline constexpr uint32_t IOCTL_READ_DWORD = OstrelIoctl(0x20B);
inline constexpr uint32_t IOCTL_READ_BYTE = OstrelIoctl(0x20C);
inline constexpr uint32_t IOCTL_SEND_TRIGGER = OstrelIoctl(0x20D);
inline constexpr uint32_t IOCTL_WRITE_WORD = OstrelIoctl(0x20E);
inline constexpr uint32_t IOCTL_READ_INDEXED_BYTE = OstrelIoctl(0x20F);
inline constexpr uint32_t IOCTL_WRITE_INDEXED_BYTE = OstrelIoctl(0x210);
inline constexpr uint32_t IOCTL_SELECT_PORT = OstrelIoctl(0x211);
inline constexpr uint32_t IOCTL_GET_SELECTED_PORT = OstrelIoctl(0x212);
inline constexpr uint32_t IOCTL_GET_CONNECTION_MASK = OstrelIoctl(0x213);

static_assert(IOCTL_READ_REGISTER == 0x20000800 && IOCTL_GET_CONNECTION_MASK == 0x2000084C);

// The size of the one programmable block.
inline constexpr size_t OSTREL_BLOCK_SIZE = 32;
