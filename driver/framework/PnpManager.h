// The system side of Plug and Play for the framework: adds a device object for a physical
// device through the driver's device-add callback, starts it (prepare hardware, D0 entry,
// interfaces and queue on; a device marked failed with "attempt restart" is released and
// prepared again a few times), and removes it (queue drained, interfaces off, D0 exit, release
// hardware, device object deleted).
//
//   added ──Start──► prepare hardware ──ok──► D0 entry ──► started ──Remove──► removed
//                        │ failed, restart allowed: release, retry (at most kStartAttempts)
//                        └ failed otherwise: stays added, not started
#pragma once

#include "driver/framework/Ntstatus.h"
#include "driver/framework/WdfDevice.h"
#include "driver/framework/WdfDriver.h"

namespace pnp {

inline constexpr int kStartAttempts = 3;

// Calls the driver's device-add callback for `physicalDevice`; the new device object is
// `physicalDevice->AttachedDevice`.
NTSTATUS AddDevice(WDFDRIVER driver, PDEVICE_OBJECT physicalDevice);
NTSTATUS StartDevice(WDFDEVICE device);
// Stops (when started) and deletes the device object; `surprise` when the device is gone.
void RemoveDevice(WDFDEVICE device, bool surprise);
// Deletes the framework driver object of `driverObject` and with it every remaining device.
void UnloadDriver(PDRIVER_OBJECT driverObject);

}  // namespace pnp
