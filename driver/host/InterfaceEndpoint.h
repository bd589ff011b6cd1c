// One published interface: its socket file, served by the connection server, and the workers
// that present its requests to the device. Destroying it removes the socket file, withdraws the
// listener (requests already received are still answered), and stops the workers: on return no
// request of this interface is in the driver any more.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "driver/framework/WdfDevice.h"
#include "driver/host/ConnectionServer.h"
#include "driver/host/RequestWorkers.h"

namespace ostrel::host {

class InterfaceEndpoint {
  public:
    // nullptr with `error` set when the socket cannot be created or served.
    static std::unique_ptr<InterfaceEndpoint> Open(const std::filesystem::path& path,
                                                   WDFDEVICE device, ConnectionServer& server,
                                                   std::string& error);
    ~InterfaceEndpoint();
    InterfaceEndpoint(const InterfaceEndpoint&) = delete;
    InterfaceEndpoint& operator=(const InterfaceEndpoint&) = delete;

  private:
    InterfaceEndpoint(std::filesystem::path path, WDFDEVICE device, ConnectionServer& server);

    std::filesystem::path mPath;
    ConnectionServer& mServer;
    RequestWorkers mWorkers;
    uint64_t mListener = 0;
};

}  // namespace ostrel::host
