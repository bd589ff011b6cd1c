// Queues each capture the camera window files for the image archive: it takes the patient's
// and the photo row's texts from the record store and the camera's names as they are at
// filing, writes the items to the queue and tells whoever sends (a wake). No network work:
// it runs on the UI thread, inside the filing.
//
// The session of a filing (its study and series) is named after its earliest capture, so the
// same captures always make the same study.
#pragma once

#include <functional>
#include <string>

#include "camera/CaptureFiling.h"

class ArchiveQueue;
class DATABASECONTEXT;

class ArchiveFilingObserver : public CaptureFilingObserver {
  public:
    // Not owned: `recordStore` and `queue` outlive the observer. `queued` runs after items
    // were stored (may be empty).
    ArchiveFilingObserver(DATABASECONTEXT& recordStore, ArchiveQueue& queue,
                          std::wstring cameraName, std::wstring cameraIdentity,
                          std::function<void()> queued = {});

    void CapturesFiled(int32_t customerSerialNumber,
                       const std::vector<std::wstring>& pictureTitles) override;

    // Why the last filing's items could not all be queued; empty when they were.
    const std::string& Error() const { return mError; }

  private:
    DATABASECONTEXT& mRecordStore;
    ArchiveQueue& mQueue;
    std::string mCameraName;
    std::string mCameraIdentity;
    std::function<void()> mQueued;
    std::string mError;
};
