// Accepting and serving connections of one interface socket.
#include "driver/host/InterfaceEndpoint.h"

#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include "driver/framework/IoManager.h"
#include "driver/framework/Trace.h"
#include "driver/host/WireFormat.h"

namespace ostrel::host {
namespace {

constexpr unsigned kSocketMode = 0660;
constexpr auto kAcceptRetryDelay = std::chrono::milliseconds(100);

}  // namespace

std::unique_ptr<InterfaceEndpoint> InterfaceEndpoint::Open(const std::filesystem::path& path,
                                                           WDFDEVICE device, std::string& error) {
    UniqueFd listener = ListenAt(path, kSocketMode, error);
    if (!listener.Valid()) {
        return nullptr;
    }
    return std::unique_ptr<InterfaceEndpoint>(
        new InterfaceEndpoint(path, std::move(listener), device));
}

InterfaceEndpoint::InterfaceEndpoint(std::filesystem::path path, UniqueFd listener,
                                     WDFDEVICE device)
    : mPath(std::move(path)),
      mListener(std::move(listener)),
      mDevice(device),
      mAcceptThread([this] { AcceptConnections(); }) {}

InterfaceEndpoint::~InterfaceEndpoint() {
    {
        std::lock_guard lock(mMutex);
        mStopping = true;
        shutdown(mListener.Get(), SHUT_RDWR);
        for (Connection& connection : mConnections) {
            shutdown(connection.Socket.Get(), SHUT_RDWR);
        }
    }
    mAcceptThread.join();
    for (Connection& connection : mConnections) {
        connection.Thread.join();
    }
    std::error_code ignored;
    std::filesystem::remove(mPath, ignored);
}

void InterfaceEndpoint::AcceptConnections() {
    for (;;) {
        UniqueFd socketFd(accept4(mListener.Get(), nullptr, nullptr, SOCK_CLOEXEC));
        const int acceptError = socketFd.Valid() ? 0 : errno;
        std::unique_lock lock(mMutex);
        if (mStopping) {
            return;
        }
        JoinFinished();
        if (!socketFd.Valid()) {
            // Out of descriptors or memory: wait before trying again rather than spin.
            if (acceptError != EINTR && acceptError != ECONNABORTED) {
                lock.unlock();
                std::this_thread::sleep_for(kAcceptRetryDelay);
            }
            continue;
        }
        Connection& connection = mConnections.emplace_back();
        connection.Socket = std::move(socketFd);
        connection.Thread = std::thread([this, &connection] { Serve(&connection); });
    }
}

// Called with mMutex held.
void InterfaceEndpoint::JoinFinished() {
    for (auto it = mConnections.begin(); it != mConnections.end();) {
        if (it->Finished) {
            it->Thread.join();
            it = mConnections.erase(it);
        } else {
            ++it;
        }
    }
}

void InterfaceEndpoint::Serve(Connection* connection) {
    int fd = connection->Socket.Get();
    std::vector<uint8_t> input;
    for (;;) {
        std::array<uint8_t, wire::kHeaderSize> headerBytes;
        if (!ReadExactly(fd, headerBytes)) {
            break;
        }
        std::optional<wire::RequestHeader> header = wire::DecodeRequestHeader(headerBytes);
        if (!header) {
            TraceEvents(TRACE_LEVEL_WARNING, "socket", "refused an oversized request on {}",
                        mPath.native());
            break;
        }
        input.resize(header->InputLength);
        if (!ReadExactly(fd, input)) {
            break;
        }
        io::DeviceIoControlResult result =
            io::DeviceIoControl(mDevice, header->IoControlCode, input, header->OutputLength);
        if (!WriteAll(fd,
                      wire::EncodeResponse(result.Status, static_cast<uint32_t>(result.Information),
                                           result.Output))) {
            break;
        }
    }
    // The descriptor is given back now, not when the thread is joined at the next accept.
    std::lock_guard lock(mMutex);
    connection->Socket = UniqueFd();
    connection->Finished = true;
}

}  // namespace ostrel::host
