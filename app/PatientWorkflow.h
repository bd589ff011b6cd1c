// The main window's patient rules without the window: which patient is selected and where its
// media lie, listing and searching, a new patient's defaults, the save checks and their order,
// the delete sequence (rows, then the media folder) and which captures the media list shows.
// The window fills and reads its controls and repaints after each call.
//
// UI thread only, as the record store it uses. Messages go through OperatorPrompts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/Records.h"

class DATABASECONTEXT;
class OperatorPrompts;

namespace ui {
class ListBox;
}  // namespace ui

// The folders and the identity photo of the selected patient; all empty without one.
struct PatientMediaPaths {
    std::wstring imageFolder;
    std::wstring videoFolder;
    std::wstring thumbnailFolder;
    std::wstring idPhotoPath;
};

class PatientWorkflow {
  public:
    // `mediaFolder`: the folder the patients' database/<serial>/ and database/id_photo/ lie in
    // (the program folder, or the clinic's shared DataFolder).
    PatientWorkflow(DATABASECONTEXT& recordStore, std::wstring mediaFolder,
                    OperatorPrompts& prompts);

    int32_t CustomerSerialNumber() const { return mCustomerSerialNumber; }
    const PatientMediaPaths& Paths() const { return mPaths; }
    // The Info band's text: the selected serial in decimal, empty without a patient.
    std::wstring InfoText() const;

    void ListCustomers(ui::ListBox& list);
    // An empty text lists every patient.
    void SearchCustomers(ui::ListBox& list, const std::wstring& searchText);

    // Selects the patient of a list line ("%04d-<pid>-<name>"). Nothing changes, and nullopt
    // is returned, when the patient is not found: the form never mixes two patients.
    std::optional<CustomerRecord> SelectCustomerLine(const std::wstring& line);
    // Inserts a patient with the defaults (X000000000, NewCustomer, other, O, today) and selects
    // it; nullopt when the record store refused (it has said why).
    std::optional<CustomerRecord> AddCustomer(const std::wstring& today);
    // Shows "Please select one customer!" and returns false when no patient is selected.
    bool RequireCustomer();
    // Checks the form's fields in order (name, pid, address, gender, blood type: an empty one
    // is refused with its message and nothing is written), then stores them over the selected
    // patient and says "Save success." or "Save fail."; true when stored.
    bool SaveCustomer(const CustomerRecord& form);

    enum class DeleteResult {
        kKept,        // not asked for, not confirmed, or the rows could not be deleted
        kDeleted,     // rows and media folder gone
        kFolderLeft,  // rows gone, the folder not completely (a file still open elsewhere)
    };
    // Asks "Delete ?"; deletes the patient's photos, notes and row in one transaction ("Delete
    // fail." when that fails, and everything stays), then its media folder, and leaves no
    // patient selected. The window empties its panels and then calls ReportDeleted.
    DeleteResult DeleteCustomer();
    // "Delete Success." or, when the folder was left, "Delete fail.".
    void ReportDeleted(DeleteResult result);

    // The selected patient's captures in the media list: the thumbnail folder's files that count
    // as media, in the folder order every review window walks.
    std::vector<std::wstring> MediaFileNames() const;
    // A thumbnail file's caption: the name without its trailing '.', 'b', 'm' and 'p'.
    static std::wstring MediaCaption(std::wstring fileName);

  private:
    void Select(int32_t serialNumber);

    DATABASECONTEXT& mRecordStore;
    std::wstring mStringMediaFolder;
    OperatorPrompts& mPrompts;
    int32_t mCustomerSerialNumber = -1;
    PatientMediaPaths mPaths;
};
