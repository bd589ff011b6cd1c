// Making the filing's archive observer when the archive is configured.
#include "archive/ArchiveFilingHook.h"

#include <cstdio>

#include "archive/ArchiveFilingObserver.h"
#include "archive/ArchiveQueue.h"
#include "archive/ArchiveSettings.h"

ArchiveFilingHook::ArchiveFilingHook(DATABASECONTEXT& recordStore, const std::wstring& cameraName,
                                     const std::function<std::wstring()>& cameraIdentity,
                                     std::function<void()> queued) {
    std::string problem;
    if (!ReadArchiveSettings(problem)) {
        if (!problem.empty()) {
            std::fprintf(stderr, "archive: off: %s\n", problem.c_str());
        }
        return;
    }
    mQueue = std::make_unique<ArchiveQueue>(ArchiveQueue::DefaultFolder());
    mObserver = std::make_unique<ArchiveFilingObserver>(
        recordStore, *mQueue, cameraName, cameraIdentity ? cameraIdentity() : std::wstring(),
        std::move(queued));
}

ArchiveFilingHook::~ArchiveFilingHook() = default;

CaptureFilingObserver* ArchiveFilingHook::Observer() const {
    return mObserver.get();
}
