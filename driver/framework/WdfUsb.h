// The framework's USB target: the target device (descriptors with the ask-for-size protocol,
// configuration selection, synchronous control transfers), its interfaces and pipes, and the
// continuous reader of an interrupt IN pipe. All bus access goes to the physical device's
// UsbDeviceBackend.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "driver/framework/Ntstatus.h"
#include "driver/framework/UsbDescriptors.h"
#include "driver/framework/UsbDeviceBackend.h"
#include "driver/framework/WdfDevice.h"
#include "driver/framework/WdfMemory.h"
#include "driver/framework/WdfObject.h"

class WdfIoTarget;
class WdfUsbTargetDevice;
class WdfUsbInterface;
class WdfUsbPipe;
using WDFIOTARGET = WdfIoTarget*;
using WDFUSBDEVICE = WdfUsbTargetDevice*;
using WDFUSBINTERFACE = WdfUsbInterface*;
using WDFUSBPIPE = WdfUsbPipe*;

enum WDF_IO_TARGET_SENT_IO_ACTION {
    WdfIoTargetCancelSentIo = 1,
    WdfIoTargetWaitForSentIoToComplete = 2
};

// An I/O target accepts requests while started.
class WdfIoTarget : public WdfObject {
  public:
    virtual NTSTATUS Start();
    virtual void Stop(WDF_IO_TARGET_SENT_IO_ACTION action);
    bool IsStarted() const;

  protected:
    mutable std::mutex mTargetMutex;
    bool mStarted = true;
};

NTSTATUS WdfIoTargetStart(WDFIOTARGET target);
void WdfIoTargetStop(WDFIOTARGET target, WDF_IO_TARGET_SENT_IO_ACTION action);

// --- control transfers ---

using WDF_USB_CONTROL_SETUP_PACKET = USB_SETUP_PACKET;
enum WDF_USB_BMREQUEST_DIRECTION { BmRequestHostToDevice = 0, BmRequestDeviceToHost = 1 };
enum WDF_USB_BMREQUEST_RECIPIENT { BmRequestToDevice = 0, BmRequestToInterface = 1 };

void WDF_USB_CONTROL_SETUP_PACKET_INIT_VENDOR(WDF_USB_CONTROL_SETUP_PACKET* packet,
                                              WDF_USB_BMREQUEST_DIRECTION direction,
                                              WDF_USB_BMREQUEST_RECIPIENT recipient,
                                              uint8_t request, uint16_t value, uint16_t index);

inline constexpr uint32_t WDF_REQUEST_SEND_OPTION_TIMEOUT = 0x1;
inline constexpr uint32_t WDF_REQUEST_SEND_OPTION_IGNORE_TARGET_STATE = 0x2;

struct WDF_REQUEST_SEND_OPTIONS {
    uint32_t Flags = 0;
    std::chrono::milliseconds Timeout{0};
};

inline void WDF_REQUEST_SEND_OPTIONS_INIT(WDF_REQUEST_SEND_OPTIONS* options, uint32_t flags) {
    *options = WDF_REQUEST_SEND_OPTIONS{flags, std::chrono::milliseconds(0)};
}

inline void WDF_REQUEST_SEND_OPTIONS_SET_TIMEOUT(WDF_REQUEST_SEND_OPTIONS* options,
                                                 std::chrono::milliseconds timeout) {
    options->Flags |= WDF_REQUEST_SEND_OPTION_TIMEOUT;
    options->Timeout = timeout;
}

// --- target device ---

enum WdfUsbTargetDeviceSelectConfigType { WdfUsbTargetDeviceSelectConfigTypeMultiInterface = 4 };

struct WDF_USB_DEVICE_SELECT_CONFIG_PARAMS {
    WdfUsbTargetDeviceSelectConfigType Type = WdfUsbTargetDeviceSelectConfigTypeMultiInterface;
    uint8_t NumberConfiguredInterfaces = 0;  // out
};

// Every interface of the configuration in alternate setting 0.
inline void WDF_USB_DEVICE_SELECT_CONFIG_PARAMS_INIT_MULTIPLE_INTERFACES(
    WDF_USB_DEVICE_SELECT_CONFIG_PARAMS* params) {
    *params = WDF_USB_DEVICE_SELECT_CONFIG_PARAMS{};
}

class WdfUsbTargetDevice : public WdfIoTarget {
  public:
    explicit WdfUsbTargetDevice(std::shared_ptr<UsbDeviceBackend> backend)
        : mBackend(std::move(backend)) {}
    UsbDeviceBackend& Backend() { return *mBackend; }
    const std::shared_ptr<UsbDeviceBackend>& SharedBackend() const { return mBackend; }
    void AddInterface(WDFUSBINTERFACE usbInterface) { mInterfaces.push_back(usbInterface); }
    void ClearInterfaces() { mInterfaces.clear(); }
    const std::vector<WDFUSBINTERFACE>& Interfaces() const { return mInterfaces; }

  private:
    std::shared_ptr<UsbDeviceBackend> mBackend;
    std::vector<WDFUSBINTERFACE> mInterfaces;
};

// Creates the target for the device's physical USB device, as a child of `device`.
NTSTATUS WdfUsbTargetDeviceCreate(WDFDEVICE device, const WDF_OBJECT_ATTRIBUTES* attributes,
                                  WDFUSBDEVICE* usbDevice);
void WdfUsbTargetDeviceGetDeviceDescriptor(WDFUSBDEVICE usbDevice,
                                           USB_DEVICE_DESCRIPTOR* descriptor);
// With `descriptor` null, or `*length` too small: STATUS_BUFFER_TOO_SMALL and the size needed in
// `*length`. Otherwise copies the whole configuration descriptor.
NTSTATUS WdfUsbTargetDeviceRetrieveConfigDescriptor(WDFUSBDEVICE usbDevice, void* descriptor,
                                                    uint16_t* length);
NTSTATUS WdfUsbTargetDeviceSelectConfig(WDFUSBDEVICE usbDevice,
                                        const WDF_OBJECT_ATTRIBUTES* attributes,
                                        WDF_USB_DEVICE_SELECT_CONFIG_PARAMS* params);
// The configured interface with index `interfaceIndex`, or nullptr.
WDFUSBINTERFACE WdfUsbTargetDeviceGetInterface(WDFUSBDEVICE usbDevice, uint8_t interfaceIndex);
// One control transfer on the default pipe. The setup packet's length is the descriptor's
// length. Fails with STATUS_INVALID_DEVICE_STATE when the target is stopped, unless the options
// say to ignore its state.
NTSTATUS WdfUsbTargetDeviceSendControlTransferSynchronously(
    WDFUSBDEVICE usbDevice, void* request, const WDF_REQUEST_SEND_OPTIONS* options,
    WDF_USB_CONTROL_SETUP_PACKET* setupPacket, const WDF_MEMORY_DESCRIPTOR* memory,
    uint32_t* bytesTransferred);

// --- interfaces and pipes ---

enum WDF_USB_PIPE_TYPE {
    WdfUsbPipeTypeInvalid = 0,
    WdfUsbPipeTypeControl,
    WdfUsbPipeTypeIsochronous,
    WdfUsbPipeTypeBulk,
    WdfUsbPipeTypeInterrupt,
};

struct WDF_USB_PIPE_INFORMATION {
    uint32_t MaximumPacketSize = 0;
    uint8_t EndpointAddress = 0;
    uint8_t Interval = 0;
    WDF_USB_PIPE_TYPE PipeType = WdfUsbPipeTypeInvalid;
};

class WdfUsbInterface : public WdfObject {
  public:
    explicit WdfUsbInterface(const USB_INTERFACE_DESCRIPTOR& descriptor)
        : mDescriptor(descriptor) {}
    const USB_INTERFACE_DESCRIPTOR& Descriptor() const { return mDescriptor; }
    void AddPipe(WDFUSBPIPE pipe) { mPipes.push_back(pipe); }
    const std::vector<WDFUSBPIPE>& Pipes() const { return mPipes; }

  private:
    USB_INTERFACE_DESCRIPTOR mDescriptor;
    std::vector<WDFUSBPIPE> mPipes;
};

uint8_t WdfUsbInterfaceGetNumConfiguredPipes(WDFUSBINTERFACE usbInterface);
// The pipe with `pipeIndex` and its information (which may be null), or nullptr.
WDFUSBPIPE WdfUsbInterfaceGetConfiguredPipe(WDFUSBINTERFACE usbInterface, uint8_t pipeIndex,
                                            WDF_USB_PIPE_INFORMATION* information);

using PFN_WDF_USB_READER_COMPLETION_ROUTINE = void (*)(WDFUSBPIPE pipe, WDFMEMORY buffer,
                                                       size_t numBytesTransferred,
                                                       WDFCONTEXT context);

struct WDF_USB_CONTINUOUS_READER_CONFIG {
    size_t TransferLength = 0;
    size_t HeaderLength = 0;
    size_t TrailerLength = 0;
    uint8_t NumPendingReads = 0;  // 0: the framework's default of 2
    PFN_WDF_USB_READER_COMPLETION_ROUTINE EvtUsbTargetPipeReadComplete = nullptr;
    WDFCONTEXT EvtUsbTargetPipeReadCompleteContext = nullptr;
};

inline void WDF_USB_CONTINUOUS_READER_CONFIG_INIT(WDF_USB_CONTINUOUS_READER_CONFIG* config,
                                                  PFN_WDF_USB_READER_COMPLETION_ROUTINE callback,
                                                  WDFCONTEXT context, size_t transferLength) {
    *config = WDF_USB_CONTINUOUS_READER_CONFIG{};
    config->EvtUsbTargetPipeReadComplete = callback;
    config->EvtUsbTargetPipeReadCompleteContext = context;
    config->TransferLength = transferLength;
}

// A pipe is its own I/O target. With a continuous reader configured, starting the target keeps
// NumPendingReads reads pending; each successful read is handed to the completion routine and
// sent again. A failed read is not handed on (it is traced and sent again; a cancelled read or
// a gone device ends it). Stopping cancels the reads and returns once none is left pending.
class WdfUsbPipe : public WdfIoTarget {
  public:
    WdfUsbPipe(std::shared_ptr<UsbDeviceBackend> backend,
               const WDF_USB_PIPE_INFORMATION& information)
        : mBackend(std::move(backend)), mInformation(information) {
        mStarted = false;
    }
    ~WdfUsbPipe() override;

    const WDF_USB_PIPE_INFORMATION& Information() const { return mInformation; }
    void SetNoMaximumPacketSizeCheck() { mCheckMaximumPacketSize = false; }
    NTSTATUS ConfigureContinuousReader(const WDF_USB_CONTINUOUS_READER_CONFIG& config);
    NTSTATUS Start() override;
    void Stop(WDF_IO_TARGET_SENT_IO_ACTION action) override;

  protected:
    void OnDispose() override;

  private:
    NTSTATUS SubmitRead();  // called with mTargetMutex held
    void ReadCompleted(NTSTATUS status, std::span<const uint8_t> data);

    std::shared_ptr<UsbDeviceBackend> mBackend;
    WDF_USB_PIPE_INFORMATION mInformation;
    bool mCheckMaximumPacketSize = true;
    bool mReaderConfigured = false;
    WDF_USB_CONTINUOUS_READER_CONFIG mReader;
    size_t mReadsInFlight = 0;
    std::condition_variable mReadsChanged;
};

// Lets reads be of any length; otherwise a read's length must be a multiple of the maximum packet
// size.
void WdfUsbTargetPipeSetNoMaximumPacketSizeCheck(WDFUSBPIPE pipe);
bool WdfUsbTargetPipeIsInEndpoint(WDFUSBPIPE pipe);
NTSTATUS WdfUsbTargetPipeConfigContinuousReader(WDFUSBPIPE pipe,
                                                const WDF_USB_CONTINUOUS_READER_CONFIG* config);
WDFIOTARGET WdfUsbTargetPipeGetIoTarget(WDFUSBPIPE pipe);
