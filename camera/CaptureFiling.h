// Filing the captures of the Temp folders under a patient: for every picture (still or clip
// poster) a photo row, and its picture, thumbnail and clip copied into the patient's folders.
//
// Filing never loses a capture. Each of a capture's files (clip, picture, thumbnail) is copied
// and verified; the copies of all captures are made durable together (CaptureCopyBatch), and only
// once all of a capture's files are in place is its row inserted (unless the patient has it
// already; the rows of all arrived captures in one transaction) and are its Temp files deleted. A
// capture whose files did not all arrive stays in Temp whole, to be filed again; the others are
// filed. Clips without a poster are filed too (they get no row, like every clip).
//
// A row that cannot be inserted shows "Database Error!" once; no further rows are tried, and the
// files are still filed. UI thread (the record store's).
//
// Temp lies below the program folder; the patient's folders below the media folder (the
// registry's DataFolder, see records/DatabaseSettings.h), which the filing never makes itself:
// while a shared folder is not mounted, its captures stay in Temp.
//
// An optional observer is told, before the copies are made durable, which pictures are about to
// be filed, and may hand the filing a record of them to make durable with the copies; at the end
// it is told which pictures were filed. It runs on the filing's thread and must return at once
// (no network, no long work).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class CaptureCopyBatch;
class DATABASECONTEXT;
class OperatorPrompts;

// A file an observer wrote for a filing, complete but not flushed, under a temporary name in the
// folder of `target`.
struct FilingRecord {
    std::filesystem::path temporary;
    std::filesystem::path target;
};

class CaptureFilingObserver {
  public:
    // The titles (names without ".bmp") of the pictures, stills and posters, staged for patient
    // `customerSerialNumber`, by name; called only when there is one at least. A record returned
    // is flushed with the copies and named only when every capture arrived.
    virtual std::optional<FilingRecord> CapturesStaged(
        int32_t customerSerialNumber, const std::vector<std::wstring>& pictureTitles) = 0;
    // The titles of the pictures filed, by name, and whether the record got its name; called
    // after CapturesStaged, when one picture was filed at least.
    virtual void CapturesFiled(int32_t customerSerialNumber,
                               const std::vector<std::wstring>& pictureTitles,
                               bool recordNamed) = 0;

  protected:
    ~CaptureFilingObserver() = default;
};

class CaptureFiling {
  public:
    CaptureFiling(DATABASECONTEXT& recordStore, OperatorPrompts& prompts,
                  std::wstring programFolder);

    struct Result {
        int filed = 0;  // captures whose files all arrived
        int kept = 0;   // captures left in Temp because a file did not arrive
    };
    // Files everything in Temp for patient `customerSerialNumber`.
    Result FileTemp(int32_t customerSerialNumber);
    // Whether the Temp images or videos folder holds a capture file.
    bool TempHoldsCaptures() const;
    // Deletes the Temp images and videos folders with their contents and makes them again,
    // empty, with the thumbnail folder.
    void ResetTemp() const;
    // The observer told of each filing's pictures (none: nobody is told); not owned.
    void SetObserver(CaptureFilingObserver* observer) { mObserver = observer; }

  private:
    struct Targets;
    struct Capture;
    // Stages the copies of a capture: a picture with its thumbnail and, for a V name, its clip;
    // or (empty picture) a clip alone.
    Capture Stage(const std::wstring& picture, const std::wstring& clip, const Targets& targets,
                  CaptureCopyBatch& batch) const;
    // Tells the observer what is about to be filed and adopts its record into `batch`; the
    // record's number, or -1.
    int StageRecord(int32_t customerSerialNumber, const std::vector<Capture>& captures,
                    CaptureCopyBatch& batch) const;
    // Inserts the rows of the arrived captures' pictures that the patient has not got yet.
    void InsertRows(int32_t customerSerialNumber, const std::vector<const Capture*>& arrived);

    DATABASECONTEXT& mRecordStore;
    OperatorPrompts& mPrompts;
    std::wstring mStringProgramFolder;
    std::wstring mStringMediaFolder;
    std::wstring mStringTempImagesFolder;
    std::wstring mStringTempThumbnailFolder;
    std::wstring mStringTempVideosFolder;
    CaptureFilingObserver* mObserver = nullptr;
};
