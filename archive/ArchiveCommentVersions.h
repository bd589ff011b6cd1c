// Re-sending changed comments, when the archive's settings ask for it: a sent capture whose
// photo comment in the record store differs from the comment last queued for it is queued again
// as a new version (a new instance in the same series, with the new comment). The archive keeps
// the earlier version; nothing is replaced there.
//
// UI thread (the record store's); reads rows and writes the queue, no network.
#pragma once

#include <cstdint>
#include <string>

class ArchiveQueue;
class DATABASECONTEXT;

// Queues the new versions for patient `customerSerialNumber`; returns how many, or -1 with
// `error` when the queue could not be written.
int QueueChangedComments(DATABASECONTEXT& recordStore, ArchiveQueue& queue,
                         int32_t customerSerialNumber, std::string& error);
