// The patient commands of the main window: the list, selecting by double click, the search,
// a new patient, saving the form and deleting the patient with its media folder.
#include "app/CDlgOperationRoom.h"
#include "app/OperationRoomIds.h"
#include "app/RecordFormCodes.h"
#include "platform/text/Format.h"
#include "platform/ui/MessageBox.h"
#include "records/DATABASECONTEXT.h"
#include "records/MediaLayout.h"
#include "utility/Files.h"

using namespace operationroom;

void CDlgOperationRoom::RefreshCustomerList() {
    mRecordStore->CustomerListAll(*Control<ui::ListBoxControl>(kCustomerList));
}

void CDlgOperationRoom::OnLbnDblclkListCustomer() {
    auto* list = Control<ui::ListBoxControl>(kCustomerList);
    const int line = list->Selection();
    if (line < 0) {
        return;
    }
    const int32_t serialNumber = recordform::LineSerialNumber(list->LineText(line));
    CustomerRecord record;
    // Nothing changes unless the patient is found: the form never mixes two patients.
    if (!mRecordStore->CustomerSelect(serialNumber, record)) {
        return;
    }
    record.serialNumber = serialNumber;
    ShowSelectedCustomer(serialNumber, record);
}

void CDlgOperationRoom::ShowSelectedCustomer(int32_t serialNumber, const CustomerRecord& record) {
    mCustomerSerialNumber = serialNumber;
    mStringInfo = text::sprintf(L"%d", serialNumber);
    RedrawBand(kInfoBand);
    ClearNoteSelection();
    UpdateMediaPaths();
    const bool dateRead = FillRecordForm(record);
    ShowIdPhoto();
    RefreshNoteList();
    FindControl(kNoteText)->SetText(L"");
    RefreshMediaList();
    if (!dateRead) {
        ui::AppMessageBox(text::sprintf(L"The first visit date \"%s\" of this customer cannot be "
                                        L"read. The form shows today's date instead.",
                                        record.visitFirst),
                          ui::kIconStop);
    }
}

void CDlgOperationRoom::OnBnClickedButtonSearch() {
    const std::wstring searchText = FindControl(kSearchText)->Text();
    if (searchText.empty()) {
        RefreshCustomerList();
        return;
    }
    mRecordStore->CustomerListSearch(*Control<ui::ListBoxControl>(kCustomerList), searchText);
}

void CDlgOperationRoom::OnBnClickedButtonAddCustomer() {
    CustomerRecord record;
    record.pid = L"X000000000";
    record.name = L"NewCustomer";
    record.gender = L"O";
    record.bloodType = L"O";
    UTILITY_GetDateString(record.visitFirst);
    if (!mRecordStore->CustomerInsert(record)) {
        return;
    }
    if (!mRecordStore->CustomerSelectInserted(record)) {
        return;
    }
    ShowSelectedCustomer(record.serialNumber, record);
    RefreshCustomerList();
}

void CDlgOperationRoom::OnBnClickedButtonSaveCustomer() {
    if (!RequireCustomer()) {
        return;
    }
    const CustomerRecord record = ReadRecordForm();
    // A gender or blood type typed into a combo that is none of its items has no code; it is
    // refused like an empty field rather than stored as an empty code.
    const struct {
        const std::wstring& field;
        const wchar_t* message;
    } checks[] = {{record.name, L"Customer name can't be null."},
                  {record.pid, L"Customer pid can't be null."},
                  {record.address, L"Customer address can't be null."},
                  {record.gender, L"Customer gender can't be null."},
                  {record.bloodType, L"Customer blood type can't be null."}};
    for (const auto& check : checks) {
        if (check.field.empty()) {
            ShowMessage(check.message);
            return;
        }
    }
    if (!mRecordStore->CustomerUpdate(record, mCustomerSerialNumber)) {
        ShowMessage(L"Save fail.");
        return;
    }
    ShowMessage(L"Save success.");
    RefreshCustomerList();
}

void CDlgOperationRoom::OnBnClickedButtonDeleteCustomer() {
    if (!RequireCustomer()) {
        return;
    }
    if (!AskYesNo(L"Delete ?")) {
        return;
    }
    // The rows go together or not at all: a failure leaves the patient listed with all of its
    // photos and notes, so the delete can be repeated.
    if (!mRecordStore->CustomerDeleteWithRecords(mCustomerSerialNumber)) {
        ShowMessage(L"Delete fail.");
        return;
    }
    const std::wstring folder = media::PatientFolder(mStringProgramFolder, mCustomerSerialNumber);
    mCustomerSerialNumber = -1;
    mNoteSerialNumber = -1;
    const bool folderGone = UTILITY_DeleteFolder(folder);
    UpdateMediaPaths();
    ClearMediaList();
    RefreshCustomerList();
    ClearRecordForm();
    // A folder that could not be removed completely (a file still open elsewhere) is reported.
    ShowMessage(folderGone ? L"Delete Success." : L"Delete fail.");
}
