// From filed pictures to queued archive items.
#include "archive/ArchiveFilingObserver.h"

#include <algorithm>

#include "archive/ArchiveLog.h"
#include "archive/ArchiveQueue.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "records/DATABASECONTEXT.h"

ArchiveFilingObserver::ArchiveFilingObserver(DATABASECONTEXT& recordStore, ArchiveQueue& queue,
                                             std::wstring cameraName, std::wstring cameraIdentity,
                                             std::function<void()> queued)
    : mRecordStore(recordStore),
      mQueue(queue),
      mCameraName(text::ToUtf8(cameraName)),
      mCameraIdentity(text::ToUtf8(cameraIdentity)),
      mQueued(std::move(queued)) {}

std::vector<ArchiveItem> ArchiveFilingObserver::Items(
    int32_t customerSerialNumber, const std::vector<std::wstring>& pictureTitles) const {
    CustomerRecord patient;
    mRecordStore.CustomerSelect(customerSerialNumber, patient);
    // Names sort P before V; the session is named after the earliest capture by time.
    std::vector<std::string> titles;
    for (const std::wstring& title : pictureTitles) {
        titles.push_back(text::ToUtf8(title));
    }
    const auto byTime = [](const std::string& a, const std::string& b) {
        return a.substr(1) < b.substr(1);
    };
    std::sort(titles.begin(), titles.end(), byTime);

    std::vector<ArchiveItem> items;
    for (const std::string& title : titles) {
        ArchiveItem item;
        item.customerSerialNumber = customerSerialNumber;
        item.pid = text::ToUtf8(patient.pid);
        item.patientName = text::ToUtf8(patient.name);
        item.visitFirst = text::ToUtf8(patient.visitFirst);
        item.captureName = title;
        item.cameraName = mCameraName;
        item.cameraIdentity = mCameraIdentity;
        item.session = titles.front();
        // A picture filed again may have its row, and a comment, already.
        PhotoRecord photo;
        photo.customerSerialNumber = customerSerialNumber;
        photo.name = text::FromUtf8(title);
        if (mRecordStore.PhotoSelect(photo)) {
            item.comment = text::ToUtf8(photo.comment);
        }
        items.push_back(std::move(item));
    }
    return items;
}

std::optional<FilingRecord> ArchiveFilingObserver::CapturesStaged(
    int32_t customerSerialNumber, const std::vector<std::wstring>& pictureTitles) {
    mError.clear();
    std::string error;
    const std::optional<PreparedBatch> batch =
        mQueue.Prepare(Items(customerSerialNumber, pictureTitles), error);
    if (!batch) {
        return std::nullopt;
    }
    return FilingRecord{batch->temporary, batch->target};
}

void ArchiveFilingObserver::CapturesFiled(int32_t customerSerialNumber,
                                          const std::vector<std::wstring>& pictureTitles,
                                          bool recordNamed) {
    if (!recordNamed && !mQueue.Enqueue(Items(customerSerialNumber, pictureTitles), mError)) {
        LogArchiveProblem(
            fmt::format("captures of patient {} not queued: {}", customerSerialNumber, mError));
    }
    if (mQueued) {
        mQueued();
    }
}
