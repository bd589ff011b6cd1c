// Comparing stored comments with what was sent.
#include "archive/ArchiveCommentVersions.h"

#include <map>

#include "archive/ArchiveQueue.h"
#include "platform/text/Text.h"
#include "records/DATABASECONTEXT.h"

int QueueChangedComments(DATABASECONTEXT& recordStore, ArchiveQueue& queue,
                         int32_t customerSerialNumber, std::string& error) {
    // The latest version of each sent capture: a waiting one is newer than the sent one.
    std::map<std::string, ArchiveItem> latest;
    for (const auto& list : {queue.Sent(), queue.Pending()}) {
        for (const QueuedItem& queued : list) {
            if (queued.readable && queued.item.customerSerialNumber == customerSerialNumber) {
                latest[queued.item.captureName] = queued.item;
            }
        }
    }
    std::vector<ArchiveItem> versions;
    for (const QueuedItem& sent : queue.Sent()) {
        if (!sent.readable || sent.item.customerSerialNumber != customerSerialNumber) {
            continue;
        }
        PhotoRecord photo;
        photo.customerSerialNumber = customerSerialNumber;
        photo.name = text::FromUtf8(sent.item.captureName);
        if (!recordStore.PhotoSelect(photo)) {
            continue;  // a deleted capture stays in the archive as it was
        }
        ArchiveItem item = latest[sent.item.captureName];
        const std::string comment = text::ToUtf8(photo.comment);
        if (comment == item.comment) {
            continue;
        }
        item.comment = comment;
        ++item.version;
        versions.push_back(std::move(item));
    }
    if (!queue.Enqueue(versions, error)) {
        return -1;
    }
    return static_cast<int>(versions.size());
}
