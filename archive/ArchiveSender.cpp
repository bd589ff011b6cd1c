// A pass over the queue.
#include "archive/ArchiveSender.h"

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdatset.h>

#include <set>

#include "archive/ArchiveLink.h"
#include "archive/ArchiveQueue.h"
#include "archive/CaptureDicom.h"

SendPassResult SendPending(ArchiveQueue& queue, ArchiveLink& link,
                           const std::filesystem::path& mediaFolder,
                           const std::atomic<bool>& stop) {
    SendPassResult result;
    std::set<int32_t> heldBack;
    const auto keep = [&](const QueuedItem& queued, const std::string& reason) {
        std::string error;
        if (!reason.empty() && reason != queued.reason) {
            queue.SetReason(queued.id, reason, error);
        }
        result.lastError = reason;
        ++result.waiting;
    };
    const auto items = queue.Pending();
    for (const QueuedItem& queued : items) {
        if (stop || !result.reachable) {
            ++result.waiting;
            continue;
        }
        if (!queued.readable) {
            keep(queued, "the queued item cannot be read");
            continue;
        }
        const int32_t patient = queued.item.customerSerialNumber;
        if (heldBack.count(patient) != 0) {
            ++result.waiting;
            continue;
        }
        std::string error;
        const std::filesystem::path picture = FiledPicturePath(mediaFolder, queued.item);
        std::error_code code;
        if (!std::filesystem::exists(picture, code) && !code) {
            // Deleted by the operator before it could be sent: nothing to send, nothing to wait
            // for.
            if (!queue.Drop(queued.id, error)) {
                keep(queued, error);
            }
            continue;
        }
        auto dataset = BuildCaptureDataset(queued.item, picture, error);
        if (dataset == nullptr) {
            heldBack.insert(patient);
            keep(queued, error);
            continue;
        }
        if (!link.IsOpen() && !link.Open(error)) {
            result.reachable = false;
            keep(queued, error);
            continue;
        }
        switch (link.Store(*dataset, error)) {
            case ArchiveLink::StoreOutcome::kStored:
                if (queue.MarkSent(queued.id, error)) {
                    ++result.sent;
                } else {
                    // Stored but still queued: sent again later, as the same instance.
                    heldBack.insert(patient);
                    keep(queued, error);
                }
                break;
            case ArchiveLink::StoreOutcome::kRefused:
                heldBack.insert(patient);
                keep(queued, error);
                break;
            case ArchiveLink::StoreOutcome::kLost:
                result.reachable = false;
                keep(queued, error);
                break;
        }
    }
    link.Close();
    return result;
}
