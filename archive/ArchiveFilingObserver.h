// Queues each capture the camera window files for the image archive: it takes the patient's
// and the photo row's texts from the record store and the camera's names as they are at
// filing, and tells whoever sends (a wake). No network work: it runs on the UI thread, inside
// the filing.
//
// The items go into the queue as the filing's record: a batch prepared before the copies are
// flushed, made durable by the filing's own sync and named once every capture arrived, so that
// queueing costs the filing no flush of its own. When the filing did not name it (a capture did
// not arrive, or another writer took the batch's number), the filed pictures are queued on
// their own, with a flush.
//
// The session of a filing (its study and series) is named after its earliest capture, so the
// same captures always make the same study.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "archive/ArchiveItem.h"
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

    std::optional<FilingRecord> CapturesStaged(
        int32_t customerSerialNumber, const std::vector<std::wstring>& pictureTitles) override;
    void CapturesFiled(int32_t customerSerialNumber, const std::vector<std::wstring>& pictureTitles,
                       bool recordNamed) override;

    // Why the last filing's items could not all be queued; empty when they were.
    const std::string& Error() const { return mError; }

  private:
    std::vector<ArchiveItem> Items(int32_t customerSerialNumber,
                                   const std::vector<std::wstring>& pictureTitles) const;

    DATABASECONTEXT& mRecordStore;
    ArchiveQueue& mQueue;
    std::string mCameraName;
    std::string mCameraIdentity;
    std::function<void()> mQueued;
    std::string mError;
};
