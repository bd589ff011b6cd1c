// Results of capture operations, with the platform's status values so that callers can pass
// them on unchanged: 0 is success, negative values are failures.
#pragma once

#include <cstdint>

namespace capture {

using Status = int32_t;

inline constexpr Status S_OK = 0;
inline constexpr Status E_FAIL = static_cast<Status>(0x80004005);
inline constexpr Status E_NOINTERFACE = static_cast<Status>(0x80004002);
inline constexpr Status E_INVALIDARG = static_cast<Status>(0x80070057);
inline constexpr Status E_PROP_ID_UNSUPPORTED = static_cast<Status>(0x80070490);
// The grabber holds no frame yet.
inline constexpr Status VFW_E_WRONG_STATE = static_cast<Status>(0x80040227);

inline constexpr bool Succeeded(Status status) {
    return status >= 0;
}

}  // namespace capture
