// Publishing one interface socket and withdrawing it.
#include "driver/host/InterfaceEndpoint.h"

namespace ostrel::host {
namespace {

constexpr unsigned kSocketMode = 0660;

}  // namespace

std::unique_ptr<InterfaceEndpoint> InterfaceEndpoint::Open(const std::filesystem::path& path,
                                                           WDFDEVICE device,
                                                           ConnectionServer& server,
                                                           std::string& error) {
    UniqueFd listener = ListenAt(path, kSocketMode, error);
    if (!listener.Valid()) {
        return nullptr;
    }
    std::unique_ptr<InterfaceEndpoint> endpoint(new InterfaceEndpoint(path, device, server));
    RequestWorkers* workers = &endpoint->mWorkers;
    endpoint->mListener = server.Listen(
        std::move(listener), [workers](uint64_t connection, uid_t client, SocketRequest request) {
            workers->Submit(connection, client, std::move(request));
        });
    if (endpoint->mListener == 0) {
        error = "the connection server is not running";
        return nullptr;
    }
    return endpoint;
}

InterfaceEndpoint::InterfaceEndpoint(std::filesystem::path path, WDFDEVICE device,
                                     ConnectionServer& server)
    : mPath(std::move(path)),
      mServer(server),
      mWorkers(device, server.Limits().WorkersPerInterface, server.Limits().RunningPerClient,
               [&server](uint64_t connection, std::vector<uint8_t> reply) {
                   server.Reply(connection, std::move(reply));
               }) {}

InterfaceEndpoint::~InterfaceEndpoint() {
    std::error_code ignored;
    std::filesystem::remove(mPath, ignored);
    mServer.Withdraw(mListener);
    mWorkers.Stop();
}

}  // namespace ostrel::host
