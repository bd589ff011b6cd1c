// The identifiers of the maker's devices that the driver itself tests for. The hardware
// identifiers the driver is installed for are listed in install/ostrel.hwids.
#pragma once

#include <cstdint>

inline constexpr uint16_t MAKER_VENDOR_ID = 0x37A1;
inline constexpr uint16_t PROGRAMMER_PRODUCT_ID = 0x0120;
// The programmer's device release that marks the eight-port model; other releases are the
// single-port programmer.
inline constexpr uint16_t EIGHT_PORT_RELEASE = 0x2000;
