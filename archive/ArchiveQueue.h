// The durable queue of captures for the image archive: a spool folder, so that filing needs
// no database transaction of its own and the sender (in the program or in its own process)
// needs no database connection.
//
//   <folder>/pending/<sequence>.batch                       one enqueue's items, as written
//   <folder>/pending/<sequence>-<index>-<serial>-<capture>.item   one waiting item
//   <folder>/pending/<item name>.reason                     the archive's last refusal of it
//   <folder>/sent/<serial>-<capture>.item                   confirmed by the archive
//   <folder>/dropped/<item name>                            its capture was deleted unsent
//
// Every file is written under a hidden temporary name, flushed to disk and renamed into place,
// and the folder is flushed after the rename, so a crash leaves a file either whole or absent.
// An enqueue writes one batch file, whatever the number of items: the flush to disk is what
// costs. A filing pays for none of its own: it takes a prepared batch into the flush that makes
// its copies durable (see Prepare). Reading the queue unpacks batches into item files (each
// made durable before the batch goes), so the sender tracks every item on its own. An item
// moves to sent/ only after the archive confirmed it. Sequence numbers grow with every enqueue
// and are never reused while an item waits; names are never overwritten.
//
// Any thread and any process; each call works on the folder's state as it finds it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveItem.h"

// A batch written for a caller to make durable and name: `temporary` (hidden, in pending/) holds
// the items, complete but not flushed; `target` is the name that queues them.
struct PreparedBatch {
    std::filesystem::path temporary;
    std::filesystem::path target;
};

struct QueuedItem {
    std::string id;  // the item's file name in pending/ or sent/
    bool readable = false;
    ArchiveItem item;    // when readable
    std::string reason;  // the last refusal, empty when none
};

class ArchiveQueue {
  public:
    explicit ArchiveQueue(std::filesystem::path folder);

    // <program folder>/archive.
    static std::filesystem::path DefaultFolder();

    // Adds `items` after every waiting item, in the given order. Returns false with `error`
    // (naming the failing call and its cause) when one could not be stored; the ones before it
    // are stored.
    bool Enqueue(const std::vector<ArchiveItem>& items, std::string& error);
    // Writes `items` as a batch for the caller to flush, name by a link that never replaces (the
    // name may have been taken meanwhile) and flush pending/ after; until named they are not
    // queued. Nothing when `items` is empty or on a failure (`error`).
    std::optional<PreparedBatch> Prepare(const std::vector<ArchiveItem>& items, std::string& error);
    // The waiting items in sequence order; unreadable files are listed, not dropped.
    // Unpacks waiting batches first.
    std::vector<QueuedItem> Pending() const;
    // The items the archive confirmed.
    std::vector<QueuedItem> Sent() const;
    // Moves a waiting item to sent/ (its reason goes).
    bool MarkSent(const std::string& id, std::string& error);
    // Moves a waiting item whose capture was deleted before it was sent to dropped/.
    bool Drop(const std::string& id, std::string& error);
    std::vector<QueuedItem> Dropped() const;
    // Records the archive's refusal of a waiting item.
    bool SetReason(const std::string& id, const std::string& reason, std::string& error);
    // Queues the sent items of patient `customerSerialNumber` again, after every waiting item;
    // returns how many.
    int Resend(int32_t customerSerialNumber, std::string& error);

  private:
    std::vector<QueuedItem> List(const std::filesystem::path& folder) const;
    // Turns every batch file into item files.
    void Unpack() const;
    uint64_t NextSequence() const;

    std::filesystem::path mPending;
    std::filesystem::path mSent;
    std::filesystem::path mDropped;
};
