// One published interface: a listening socket, the thread that accepts connections, and one
// thread per connection that reads requests, presents them to the device and writes the
// replies. Destroying it stops accepting, shuts the connections down and joins every thread.
#pragma once

#include <filesystem>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "driver/framework/WdfDevice.h"
#include "driver/host/UnixSocket.h"

namespace ostrel::host {

class InterfaceEndpoint {
  public:
    // nullptr with `error` set when the socket cannot be created.
    static std::unique_ptr<InterfaceEndpoint> Open(const std::filesystem::path& path,
                                                   WDFDEVICE device, std::string& error);
    ~InterfaceEndpoint();
    InterfaceEndpoint(const InterfaceEndpoint&) = delete;
    InterfaceEndpoint& operator=(const InterfaceEndpoint&) = delete;

  private:
    struct Connection {
        UniqueFd Socket;
        std::thread Thread;
        bool Finished = false;
    };

    InterfaceEndpoint(std::filesystem::path path, UniqueFd listener, WDFDEVICE device);
    void AcceptConnections();
    void Serve(Connection* connection);
    void JoinFinished();

    std::filesystem::path mPath;
    UniqueFd mListener;
    WDFDEVICE mDevice;
    std::mutex mMutex;
    bool mStopping = false;
    std::list<Connection> mConnections;
    std::thread mAcceptThread;
};

}  // namespace ostrel::host
