// What the camera window adds to a filing when the archive is configured: a queue and the
// observer that fills it. When the registry has no archive key, nothing is made, the camera's
// identity is not asked for, and Observer() is null: filing runs as it always did.
#pragma once

#include <functional>
#include <memory>
#include <string>

class ArchiveFilingObserver;
class ArchiveQueue;
class CaptureFilingObserver;
class DATABASECONTEXT;

class ArchiveFilingHook {
  public:
    // `cameraIdentity` is called once, only when the archive is configured. `queued` wakes the
    // sender (may be empty).
    ArchiveFilingHook(DATABASECONTEXT& recordStore, const std::wstring& cameraName,
                      const std::function<std::wstring()>& cameraIdentity,
                      std::function<void()> queued);
    ~ArchiveFilingHook();
    ArchiveFilingHook(const ArchiveFilingHook&) = delete;
    ArchiveFilingHook& operator=(const ArchiveFilingHook&) = delete;

    // Null when the archive is not configured.
    CaptureFilingObserver* Observer() const;

  private:
    std::unique_ptr<ArchiveQueue> mQueue;
    std::unique_ptr<ArchiveFilingObserver> mObserver;
};
