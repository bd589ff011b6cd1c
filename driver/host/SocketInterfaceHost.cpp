// Interface sockets under the runtime directory, one folder per device instance.
#include "driver/host/SocketInterfaceHost.h"

#include "driver/framework/Trace.h"
#include "driver/host/InterfaceEndpoint.h"
#include "driver/host/RuntimeFolders.h"

namespace ostrel::host {

SocketInterfaceHost::SocketInterfaceHost(std::filesystem::path runtimeDirectory,
                                         ConnectionLimits limits)
    : mRuntimeDirectory(std::move(runtimeDirectory)), mServer(limits) {
    std::string failure;
    if (!mServer.Start(failure)) {
        TraceEvents(TRACE_LEVEL_ERROR, "socket", "{}", failure);
    }
}

SocketInterfaceHost::~SocketInterfaceHost() {
    std::map<std::wstring, std::unique_ptr<InterfaceEndpoint>> endpoints;
    {
        std::lock_guard lock(mMutex);
        endpoints.swap(mEndpoints);
    }
}

std::filesystem::path SocketInterfaceHost::SocketPath(const std::wstring& link) const {
    return mRuntimeDirectory / std::filesystem::path(link);
}

NTSTATUS SocketInterfaceHost::Enable(const std::wstring& link, WdfDevice* device) {
    std::lock_guard lock(mMutex);
    if (mEndpoints.count(link)) {
        return STATUS_SUCCESS;
    }
    std::filesystem::path path = SocketPath(link);
    std::string failure;
    std::unique_ptr<InterfaceEndpoint> endpoint;
    if (CreateFolders(path.parent_path(), kFolderMode, failure)) {
        endpoint = InterfaceEndpoint::Open(path, device, mServer, failure);
    }
    if (!endpoint) {
        TraceEvents(TRACE_LEVEL_ERROR, "socket", "publishing an interface failed: {}", failure);
        return STATUS_UNSUCCESSFUL;
    }
    mEndpoints.emplace(link, std::move(endpoint));
    TraceEvents(TRACE_LEVEL_INFORMATION, "socket", "published {}", path.native());
    return STATUS_SUCCESS;
}

void SocketInterfaceHost::Disable(const std::wstring& link) {
    std::unique_ptr<InterfaceEndpoint> endpoint;
    {
        std::lock_guard lock(mMutex);
        auto found = mEndpoints.find(link);
        if (found == mEndpoints.end()) {
            return;
        }
        endpoint = std::move(found->second);
        mEndpoints.erase(found);
    }
    endpoint.reset();
    std::filesystem::path path = SocketPath(link);
    std::error_code ignored;
    std::filesystem::remove(path.parent_path(), ignored);  // only succeeds once the folder is empty
    TraceEvents(TRACE_LEVEL_INFORMATION, "socket", "withdrew {}", path.native());
}

}  // namespace ostrel::host
