// One association with the image archive, through DCMTK's DcmSCU: verification (C-ECHO) and
// storage of VL Photographic Images (C-STORE). Connection, association and message time-outs
// are bounded (10 s, 30 s for a message), so a silent archive never holds the sender for long.
//
// Not thread-safe; used by one thread at a time. Never on the UI thread: every call may wait on
// the network.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "archive/ArchiveSettings.h"

class DcmDataset;
class DcmSCU;

class ArchiveLink {
  public:
    explicit ArchiveLink(ArchiveSettings settings);
    ~ArchiveLink();
    ArchiveLink(const ArchiveLink&) = delete;
    ArchiveLink& operator=(const ArchiveLink&) = delete;

    // Opens the association; false with `error` ("association with ARCHIVE@host:104: ...",
    // carrying the archive's rejection) when the archive is down or refuses us.
    bool Open(std::string& error);
    bool IsOpen() const;
    // Releases the association (no-op when none).
    void Close();

    enum class StoreOutcome {
        kStored,   // the archive confirmed (success or warning status)
        kRefused,  // the archive answered with a failure status: `error` says which
        kLost,     // the association broke: nothing is known, try again later
    };
    StoreOutcome Store(DcmDataset& dataset, std::string& error);
    // C-ECHO on the open association.
    bool Echo(std::string& error);

  private:
    ArchiveSettings mSettings;
    std::unique_ptr<DcmSCU> mScu;
};
