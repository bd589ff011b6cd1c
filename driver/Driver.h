// The driver's framework callbacks. DriverEntry is called by the host that loads the driver; the
// framework calls the rest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "driver/DeviceContext.h"
#include "driver/framework/WdfDriver.h"
#include "driver/framework/WdfUsb.h"

// Starts tracing and creates the framework driver object. Tracing stops when the driver object
// is deleted, or here when creating it fails.
NTSTATUS DriverEntry(PDRIVER_OBJECT driverObject);

// Driver.cpp
NTSTATUS EvtDeviceAdd(WDFDRIVER driver, PWDFDEVICE_INIT deviceInit);
void EvtDeviceCleanup(WDFOBJECT device);
void EvtDriverContextCleanup(WDFOBJECT driver);

// Device.cpp
NTSTATUS EvtDevicePrepareHardware(WDFDEVICE device, WDFCMRESLIST resources,
                                  WDFCMRESLIST translated);
NTSTATUS EvtDeviceReleaseHardware(WDFDEVICE device, WDFCMRESLIST translated);
NTSTATUS EvtDeviceD0Entry(WDFDEVICE device, WDF_POWER_DEVICE_STATE previousState);
NTSTATUS EvtDeviceD0Exit(WDFDEVICE device, WDF_POWER_DEVICE_STATE targetState);
void EvtDeviceSurpriseRemoval(WDFDEVICE device);

// NotificationReader.cpp
NTSTATUS StartNotificationReader(DEVICE_CONTEXT* context);
void EvtNotificationReadComplete(WDFUSBPIPE pipe, WDFMEMORY buffer, size_t numBytesTransferred,
                                 WDFCONTEXT context);
void EvtConnectionWorkItem(WDFWORKITEM workItem);

// Ioctl.cpp
void EvtIoDeviceControl(WDFQUEUE queue, WDFREQUEST request, size_t outputBufferLength,
                        size_t inputBufferLength, uint32_t ioControlCode);
void EvtIoStop(WDFQUEUE queue, WDFREQUEST request, uint32_t actionFlags);
