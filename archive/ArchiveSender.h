// One pass over the queue: every waiting item, in order, converted and stored over one
// association. An item moves to sent/ only when the archive confirmed it. A refused item keeps
// its place with the archive's reason and holds back the later items of its patient, so a
// patient's captures arrive in the order they were taken; other patients go on. When the
// archive cannot be reached, or the association breaks, the pass ends with everything from
// there on still waiting. A capture whose picture is gone (deleted before it was sent) leaves
// the queue for dropped/.
//
// Thread: the caller's, never the UI thread (it waits on the network).
#pragma once

#include <atomic>
#include <filesystem>
#include <string>

class ArchiveLink;
class ArchiveQueue;

struct SendPassResult {
    int sent = 0;
    int waiting = 0;        // items left waiting after the pass
    bool reachable = true;  // false: the archive could not be reached or dropped us
    std::string lastError;  // the last reason met, for the log
};

// `stop` is checked between items.
SendPassResult SendPending(ArchiveQueue& queue, ArchiveLink& link,
                           const std::filesystem::path& mediaFolder, const std::atomic<bool>& stop);
