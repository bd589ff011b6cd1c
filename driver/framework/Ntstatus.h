// Status codes of the driver framework: the kernel's NTSTATUS values the driver and its host
// exchange. A negative value is a failure.
#pragma once

#include <cstdint>

using NTSTATUS = int32_t;

inline constexpr NTSTATUS STATUS_SUCCESS = 0x00000000;
inline constexpr NTSTATUS STATUS_WAIT_0 = 0x00000000;   // plus the index of the signalled object
inline constexpr NTSTATUS STATUS_TIMEOUT = 0x00000102;  // a wait ran out; not an error code
inline constexpr NTSTATUS STATUS_UNSUCCESSFUL = static_cast<NTSTATUS>(0xC0000001);
inline constexpr NTSTATUS STATUS_INVALID_PARAMETER = static_cast<NTSTATUS>(0xC000000D);
inline constexpr NTSTATUS STATUS_NO_SUCH_DEVICE = static_cast<NTSTATUS>(0xC000000E);
inline constexpr NTSTATUS STATUS_INVALID_DEVICE_REQUEST = static_cast<NTSTATUS>(0xC0000010);
inline constexpr NTSTATUS STATUS_BUFFER_TOO_SMALL = static_cast<NTSTATUS>(0xC0000023);
inline constexpr NTSTATUS STATUS_INSUFFICIENT_RESOURCES = static_cast<NTSTATUS>(0xC000009A);
inline constexpr NTSTATUS STATUS_DEVICE_NOT_CONNECTED = static_cast<NTSTATUS>(0xC000009D);
inline constexpr NTSTATUS STATUS_IO_TIMEOUT = static_cast<NTSTATUS>(0xC00000B5);
inline constexpr NTSTATUS STATUS_NOT_FOUND = static_cast<NTSTATUS>(0xC0000225);
inline constexpr NTSTATUS STATUS_CANCELLED = static_cast<NTSTATUS>(0xC0000120);
inline constexpr NTSTATUS STATUS_INVALID_DEVICE_STATE = static_cast<NTSTATUS>(0xC0000184);

constexpr bool NT_SUCCESS(NTSTATUS status) {
    return status >= 0;
}
