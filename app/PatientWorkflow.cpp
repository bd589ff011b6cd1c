// The patient rules of the main window: selection, list and search, new patient, save checks,
// the delete sequence and the media list's captures.
#include "app/PatientWorkflow.h"

#include "app/RecordFormCodes.h"
#include "media/MediaLayout.h"
#include "platform/text/Format.h"
#include "records/DATABASECONTEXT.h"
#include "utility/boxes/OperatorPrompts.h"
#include "utility/files/Files.h"

PatientWorkflow::PatientWorkflow(DATABASECONTEXT& recordStore, std::wstring mediaFolder,
                                 OperatorPrompts& prompts)
    : mRecordStore(recordStore), mStringMediaFolder(std::move(mediaFolder)), mPrompts(prompts) {}

std::wstring PatientWorkflow::InfoText() const {
    return mCustomerSerialNumber < 0 ? std::wstring() : text::sprintf(L"%d", mCustomerSerialNumber);
}

void PatientWorkflow::ListCustomers(ui::ListBox& list) {
    mRecordStore.CustomerListAll(list);
}

void PatientWorkflow::SearchCustomers(ui::ListBox& list, const std::wstring& searchText) {
    if (searchText.empty()) {
        ListCustomers(list);
        return;
    }
    mRecordStore.CustomerListSearch(list, searchText);
}

std::optional<CustomerRecord> PatientWorkflow::SelectCustomerLine(const std::wstring& line) {
    const int32_t serialNumber = recordform::LineSerialNumber(line);
    CustomerRecord record;
    if (!mRecordStore.CustomerSelect(serialNumber, record)) {
        return std::nullopt;
    }
    record.serialNumber = serialNumber;
    Select(serialNumber);
    return record;
}

std::optional<CustomerRecord> PatientWorkflow::AddCustomer(const std::wstring& today) {
    CustomerRecord record;
    record.pid = L"X000000000";
    record.name = L"NewCustomer";
    record.gender = L"O";
    record.bloodType = L"O";
    record.visitFirst = today;
    if (!mRecordStore.CustomerInsert(record) || !mRecordStore.CustomerSelectInserted(record)) {
        return std::nullopt;
    }
    Select(record.serialNumber);
    return record;
}

bool PatientWorkflow::RequireCustomer() {
    if (mCustomerSerialNumber < 0) {
        mPrompts.ShowMessage(L"Please select one customer!");
        return false;
    }
    return true;
}

bool PatientWorkflow::SaveCustomer(const CustomerRecord& form) {
    if (!RequireCustomer()) {
        return false;
    }
    // A gender or blood type typed into a combo that is none of its items has no code; it is
    // refused like an empty field rather than stored as an empty code.
    const struct {
        const std::wstring& field;
        const wchar_t* message;
    } checks[] = {{form.name, L"Customer name can't be null."},
                  {form.pid, L"Customer pid can't be null."},
                  {form.address, L"Customer address can't be null."},
                  {form.gender, L"Customer gender can't be null."},
                  {form.bloodType, L"Customer blood type can't be null."}};
    for (const auto& check : checks) {
        if (check.field.empty()) {
            mPrompts.ShowMessage(check.message);
            return false;
        }
    }
    if (!mRecordStore.CustomerUpdate(form, mCustomerSerialNumber)) {
        mPrompts.ShowMessage(L"Save fail.");
        return false;
    }
    mPrompts.ShowMessage(L"Save success.");
    return true;
}

PatientWorkflow::DeleteResult PatientWorkflow::DeleteCustomer() {
    if (!RequireCustomer() || !mPrompts.AskYesNo(L"Delete ?")) {
        return DeleteResult::kKept;
    }
    // The rows go together or not at all: a failure leaves the patient listed with all of its
    // photos and notes, so the delete can be repeated.
    if (!mRecordStore.CustomerDeleteWithRecords(mCustomerSerialNumber)) {
        mPrompts.ShowMessage(L"Delete fail.");
        return DeleteResult::kKept;
    }
    const std::wstring folder = media::PatientFolder(mStringMediaFolder, mCustomerSerialNumber);
    Select(-1);
    return UTILITY_DeleteFolder(folder) ? DeleteResult::kDeleted : DeleteResult::kFolderLeft;
}

void PatientWorkflow::ReportDeleted(DeleteResult result) {
    if (result != DeleteResult::kKept) {
        mPrompts.ShowMessage(result == DeleteResult::kDeleted ? L"Delete Success."
                                                              : L"Delete fail.");
    }
}

std::vector<std::wstring> PatientWorkflow::MediaFileNames() const {
    std::vector<std::wstring> names;
    if (mPaths.thumbnailFolder.empty()) {
        return names;
    }
    for (std::wstring& name : utility::SortedFileNames(mPaths.thumbnailFolder)) {
        if (media::CountsAsMedia(name)) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

std::wstring PatientWorkflow::MediaCaption(std::wstring fileName) {
    while (!fileName.empty() &&
           std::wstring_view(L".bmp").find(fileName.back()) != std::wstring::npos) {
        fileName.pop_back();
    }
    return fileName;
}

void PatientWorkflow::Select(int32_t serialNumber) {
    mCustomerSerialNumber = serialNumber;
    if (serialNumber < 0) {
        mPaths = {};
        return;
    }
    mPaths.imageFolder = media::PatientImagesFolder(mStringMediaFolder, serialNumber);
    mPaths.videoFolder = media::PatientVideosFolder(mStringMediaFolder, serialNumber);
    mPaths.thumbnailFolder = media::PatientThumbnailFolder(mStringMediaFolder, serialNumber);
    mPaths.idPhotoPath = media::IdPhotoPath(mStringMediaFolder, serialNumber);
}
