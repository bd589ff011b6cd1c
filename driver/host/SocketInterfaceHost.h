// Publishes enabled device interfaces as Unix-domain sockets under the runtime directory: the
// interface "<instance>/<guid>" listens at <runtime>/<instance>/<guid>. Each connection carries
// buffered device-control requests (see WireFormat.h) to the device's default queue. One event
// loop serves every connection within the limits (ConnectionLimits.h); a few worker threads per
// interface run the requests, so requests of different callers run in parallel. Disabling an
// interface removes its socket, answers what its connections already sent, and returns once
// none of its requests is in the driver.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "driver/framework/DeviceInterfaceHost.h"
#include "driver/host/ConnectionLimits.h"
#include "driver/host/ConnectionServer.h"

namespace ostrel::host {

class InterfaceEndpoint;

class SocketInterfaceHost : public DeviceInterfaceHost {
  public:
    explicit SocketInterfaceHost(std::filesystem::path runtimeDirectory,
                                 ConnectionLimits limits = {});
    ~SocketInterfaceHost() override;

    NTSTATUS Enable(const std::wstring& link, WdfDevice* device) override;
    void Disable(const std::wstring& link) override;
    std::filesystem::path SocketPath(const std::wstring& link) const;

  private:
    std::filesystem::path mRuntimeDirectory;
    ConnectionServer mServer;
    std::mutex mMutex;
    std::map<std::wstring, std::unique_ptr<InterfaceEndpoint>> mEndpoints;
};

}  // namespace ostrel::host
