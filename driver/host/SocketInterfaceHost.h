// Publishes enabled device interfaces as Unix-domain sockets under the runtime directory: the
// interface "<instance>/<guid>" listens at <runtime>/<instance>/<guid>. Each connection carries
// buffered device-control requests (see WireFormat.h) to the device's default queue; every
// connection is served on its own thread, so requests of different callers run in parallel.
// Disabling an interface closes its socket and connections and waits for their threads.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "driver/framework/DeviceInterfaceHost.h"

namespace ostrel::host {

class InterfaceEndpoint;

class SocketInterfaceHost : public DeviceInterfaceHost {
  public:
    explicit SocketInterfaceHost(std::filesystem::path runtimeDirectory);
    ~SocketInterfaceHost() override;

    NTSTATUS Enable(const std::wstring& link, WdfDevice* device) override;
    void Disable(const std::wstring& link) override;
    std::filesystem::path SocketPath(const std::wstring& link) const;

  private:
    std::filesystem::path mRuntimeDirectory;
    std::mutex mMutex;
    std::map<std::wstring, std::unique_ptr<InterfaceEndpoint>> mEndpoints;
};

}  // namespace ostrel::host
