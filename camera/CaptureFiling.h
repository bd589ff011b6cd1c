// Filing the captures of the Temp folders under a patient: for every picture (still or clip
// poster) a photo row, and its picture, thumbnail and clip copied into the patient's folders.
//
// Filing never loses a capture. It goes one capture at a time: the clip, the picture and the
// thumbnail are each copied and verified (CopyCaptureFile); only once all of a capture's files
// have arrived is its row inserted (unless the patient has it already) and are its Temp files
// deleted. A capture whose files did not all arrive stays in Temp whole, to be filed again.
// Clips without a poster are filed too (they get no row, like every clip).
//
// A row that cannot be inserted shows "Database Error!" once; no further rows are tried, and the
// files are still filed. UI thread (the record store's).
#pragma once

#include <cstdint>
#include <string>

class DATABASECONTEXT;
class OperatorPrompts;

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

  private:
    struct Targets;
    bool FileCapture(const std::wstring& fileName, const Targets& targets);
    bool FileClip(const std::wstring& fileName, const Targets& targets);
    void InsertRow(int32_t customerSerialNumber, const std::wstring& fileName);

    DATABASECONTEXT& mRecordStore;
    OperatorPrompts& mPrompts;
    std::wstring mStringProgramFolder;
    std::wstring mStringTempImagesFolder;
    std::wstring mStringTempThumbnailFolder;
    std::wstring mStringTempVideosFolder;
    bool mDatabaseError = false;
};
