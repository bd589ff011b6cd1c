// Node-addressed property requests to a device's extension unit. A request is the 32-byte
// node property record (little-endian):
//
//   offset 0  16 bytes  property set: the extension unit's identifier
//   offset 16  4 bytes  property id: the control selector
//   offset 20  4 bytes  flags: kKsPropertyGet or kKsPropertySet
//   offset 24  4 bytes  node id
//   offset 28  4 bytes  reserved
//
// followed by the data buffer of the control's length.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/capture/Status.h"

namespace capture {

inline constexpr uint32_t kKsPropertyGet = 0x10000001;  // get, topology
inline constexpr uint32_t kKsPropertySet = 0x10000002;  // set, topology
inline constexpr std::size_t kKsNodePropertySize = 32;

// A little-endian 32-bit field of a request or of its data.
inline uint32_t ReadLe32(const uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// A GUID in its 16-byte wire order: Data1, Data2, Data3 little-endian, then Data4.
using Guid = std::array<uint8_t, 16>;

class KsControl {
  public:
    virtual ~KsControl() = default;
    // Sends one request. For a get, `data` receives up to `dataLength` bytes and
    // `bytesReturned` says how many; for a set, `data` holds the payload. May be called from
    // any thread while the device streams.
    virtual Status KsProperty(const void* property, uint32_t propertyLength, void* data,
                              uint32_t dataLength, uint32_t& bytesReturned) = 0;
};

}  // namespace capture
