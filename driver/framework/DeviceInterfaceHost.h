// Where enabled device interfaces become reachable by user-mode tools. The host daemon publishes
// each as a Unix-domain socket; tests record the state changes.
#pragma once

#include <string>

#include "driver/framework/Ntstatus.h"

class WdfDevice;

class DeviceInterfaceHost {
  public:
    virtual ~DeviceInterfaceHost() = default;
    // Makes the interface named `link` reachable; its requests go to `device`'s default queue.
    virtual NTSTATUS Enable(const std::wstring& link, WdfDevice* device) = 0;
    // Withdraws the interface; returns once no request through it is still running.
    virtual void Disable(const std::wstring& link) = 0;
};
