// Making the filing's archive observer when the archive is configured.
#include "archive/ArchiveFilingHook.h"

#include "archive/ArchiveFilingObserver.h"
#include "archive/ArchiveLog.h"
#include "archive/ArchiveQueue.h"
#include "archive/ArchiveSettings.h"

ArchiveFilingHook::ArchiveFilingHook(DATABASECONTEXT& recordStore, const std::wstring& cameraName,
                                     const std::function<std::wstring()>& cameraIdentity,
                                     std::function<void()> queued) {
    std::string problem;
    if (!ReadArchiveSettings(problem)) {
        if (!problem.empty()) {
            LogArchiveProblem("off: " + problem);
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
