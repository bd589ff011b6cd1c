#include "records/DATABASECONTEXT.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <span>
#include <unordered_set>
#include <utility>
#include <vector>

#include "media/MediaLayout.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/odbc/DataSource.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MessageBox.h"
#include "records/CustomerListLine.h"
#include "records/DatabaseSettings.h"
#include "records/ServerSchema.h"
#include "records/Statements.h"
#include "resources/ResourceIds.h"
#include "utility/files/Files.h"

namespace {

constexpr wchar_t kDataSourceName[] = L"MedicalRecord";
constexpr int32_t kDriverKind = 3;
// The database file is a SQLite file reached through the SQLite3 ODBC driver, whatever
// driver kind the caller names.
constexpr wchar_t kSqliteDriver[] = L"SQLite3";

std::span<const odbc::Parameter> AsSpan(std::initializer_list<odbc::Parameter> parameters) {
    return {parameters.begin(), parameters.size()};
}

// Creates one folder level; an existing folder is fine.
void CreateFolder(const std::wstring& folder) {
    std::error_code ignored;
    std::filesystem::create_directory(text::ToPath(folder), ignored);
}

bool IsReadableFile(const std::wstring& path) {
    const int descriptor = open(text::ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    struct stat status {};
    const bool regular = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    close(descriptor);
    return regular;
}

// Closes the record store's cursor when a read ends, normally or by an exception.
class CursorCloser {
  public:
    explicit CursorCloser(odbc::Cursor& cursor) : mCursor(cursor) {}
    ~CursorCloser() { mCursor.Close(); }
    CursorCloser(const CursorCloser&) = delete;
    CursorCloser& operator=(const CursorCloser&) = delete;

  private:
    odbc::Cursor& mCursor;
};

}  // namespace

DATABASECONTEXT::DATABASECONTEXT(ui::Window* owner)
    : mOwner(owner), mRecordset(mDatabase), mSettings(ReadDatabaseSettings()) {
    UTILITY_GetModuleFolder(mStringModuleFolder);
    mStringDatabaseFolder = text::sprintf(L"%s/%s", mStringModuleFolder, media::kDatabaseFolder);
    CreateFolder(mStringDatabaseFolder);
    mStringIdPhotoFolder = text::sprintf(L"%s/%s", mStringDatabaseFolder, media::kIdPhotoFolder);
    CreateFolder(mStringIdPhotoFolder);
    // The identity photos of a shared media tree; a DataFolder that is not there (not mounted)
    // is not made.
    const std::wstring mediaDatabaseFolder = text::sprintf(
        L"%s/%s", MediaFolder(mSettings, mStringModuleFolder), media::kDatabaseFolder);
    CreateFolder(mediaDatabaseFolder);
    CreateFolder(text::sprintf(L"%s/%s", mediaDatabaseFolder, media::kIdPhotoFolder));
}

DATABASECONTEXT::~DATABASECONTEXT() {
    Close();
}

void DATABASECONTEXT::DatabaseCreate() {
    if (!mSettings.dataSource.empty()) {
        try {
            OpenServer();
        } catch (const odbc::Error& error) {
            // The program runs on; the next operation tries to connect again.
            ui::MessageBox(mOwner, error.Text(), text::FromUtf8(program::ExecutableName()),
                           ui::kOk | ui::kIconStop);
        }
        return;
    }
    const std::wstring path =
        text::sprintf(L"%s/%s", mStringDatabaseFolder, media::kDatabaseFileName);
    UTILITY_ExtractResourceToFile(resources::kDatabaseTemplateId,
                                  text::FromUtf8(resources::kTemplateType), path);
    if (!CreateDataSource(path, kDriverKind, kDataSourceName)) {
        ui::MessageBox(nullptr, L"DATABASECONTEXT_DatabaseCreate fail!", L"", ui::kOk);
        return;
    }
    try {
        mDatabase.Open(kDataSourceName);
    } catch (const odbc::Error& error) {
        // The program runs on without a database, as after a failed registration.
        ui::MessageBox(mOwner, error.Text(), text::FromUtf8(program::ExecutableName()),
                       ui::kOk | ui::kIconStop);
    }
}

bool DATABASECONTEXT::CreateDataSource(const std::wstring& path, int32_t driverKind,
                                       const std::wstring& dataSourceName) {
    if (!IsReadableFile(path)) {
        return false;
    }
    if (driverKind < 1 || driverKind > 3) {
        return false;
    }
    const std::wstring folder = text::FromPath(text::ToPath(path).parent_path());
    // The attribute list is NUL-separated and ends with an empty entry; it is built with the
    // NULs directly so that no character of the path is ever taken for a separator.
    std::wstring attributes;
    for (const std::wstring& entry :
         {L"DSN=" + dataSourceName, L"DBQ=" + path, L"DEFAULTDIR=" + folder}) {
        attributes.append(entry).push_back(L'\0');
    }
    attributes.push_back(L'\0');
    return odbc::ConfigDataSource(odbc::kAddDataSource, kSqliteDriver, attributes);
}

void DATABASECONTEXT::OpenServer() {
    mRecordset.Close();
    mDatabase.Open(mSettings.dataSource);
    try {
        CreateServerSchema(mDatabase, mSettings.samplePatients);
    } catch (const odbc::Error&) {
        mDatabase.Close();
        throw;
    }
}

bool DATABASECONTEXT::Connected() {
    if (mDatabase.IsOpen()) {
        return true;
    }
    if (mSettings.dataSource.empty()) {
        return false;
    }
    OpenServer();
    return true;
}

void DATABASECONTEXT::Close() {
    mRecordset.Close();
    mDatabase.Close();
}

bool DATABASECONTEXT::Execute(const wchar_t* statement,
                              std::initializer_list<odbc::Parameter> parameters) {
    try {
        if (!Connected()) {
            return false;
        }
        mDatabase.ExecuteDirect(statement, AsSpan(parameters));
        return true;
    } catch (const odbc::Error& error) {
        ReportWriteError(error);
        return false;
    }
}

void DATABASECONTEXT::ReportWriteError(const odbc::Error& error) {
    const std::wstring caption = text::FromUtf8(program::ExecutableName());
    ui::MessageBox(mOwner, error.Text(), caption, ui::kOk);
    ui::MessageBox(mOwner, error.Text(), caption, ui::kOk);
}

template <typename RowReader>
bool DATABASECONTEXT::ReadFirstRow(const wchar_t* statement,
                                   std::initializer_list<odbc::Parameter> parameters,
                                   RowReader&& readRow) {
    if (!Connected()) {
        return false;
    }
    CursorCloser closer(mRecordset);
    mRecordset.Open(statement, AsSpan(parameters));
    if (!mRecordset.HasRows()) {
        return false;
    }
    readRow();
    return true;
}

template <typename RowReader>
void DATABASECONTEXT::ReadEachRow(const wchar_t* statement,
                                  std::initializer_list<odbc::Parameter> parameters,
                                  RowReader&& readRow) {
    if (!Connected()) {
        return;
    }
    CursorCloser closer(mRecordset);
    for (mRecordset.Open(statement, AsSpan(parameters)); !mRecordset.IsEOF();
         mRecordset.MoveNext()) {
        readRow();
    }
}

int32_t DATABASECONTEXT::SerialField(const wchar_t* column) const {
    return UTILITY_DecStringToInt(mRecordset.GetText(column));
}

void DATABASECONTEXT::ReadCustomer(CustomerRecord& record) const {
    record.pid = mRecordset.GetText(L"CUSTOMER_PID");
    record.name = mRecordset.GetText(L"CUSTOMER_NAME");
    record.gender = mRecordset.GetText(L"CUSTOMER_GENDER");
    record.bloodType = mRecordset.GetText(L"CUSTOMER_BLOOD_TYPE");
    record.address = mRecordset.GetText(L"CUSTOMER_ADDRESS");
    record.visitFirst = mRecordset.GetText(L"CUSTOMER_VISIT_FIRST");
}

void DATABASECONTEXT::ReadPhoto(PhotoRecord& record) const {
    record.serialNumber = SerialField(L"PHOTO_SERIAL_NUMBER");
    record.date = mRecordset.GetText(L"PHOTO_DATE");
    record.comment = mRecordset.GetText(L"PHOTO_COMMENT");
}

void DATABASECONTEXT::ReadNote(NoteRecord& record) const {
    record.serialNumber = SerialField(L"NOTE_SERIAL_NUMBER");
    record.date = mRecordset.GetText(L"NOTE_DATE");
    record.comment = mRecordset.GetText(L"NOTE_COMMENT");
}

bool DATABASECONTEXT::CustomerSelect(int32_t serialNumber, CustomerRecord& record) {
    return ReadFirstRow(statements::kCustomerSelect, {serialNumber}, [&] { ReadCustomer(record); });
}

bool DATABASECONTEXT::CustomerSelectLast(CustomerRecord& record) {
    return ReadFirstRow(statements::kCustomerSelectLast, {}, [&] {
        record.serialNumber = SerialField(L"CUSTOMER_SERIAL_NUMBER");
        ReadCustomer(record);
    });
}

int32_t DATABASECONTEXT::InsertedSerialNumber() {
    try {
        return static_cast<int32_t>(mDatabase.LastInsertId());
    } catch (const odbc::Error&) {
        return 0;
    }
}

bool DATABASECONTEXT::CustomerInsert(const CustomerRecord& record) {
    if (!Execute(statements::kCustomerInsert,
                 {record.pid, record.name, record.gender, record.bloodType, record.address,
                  record.visitFirst})) {
        return false;
    }
    mInsertedCustomerSerialNumber = InsertedSerialNumber();
    return true;
}

bool DATABASECONTEXT::CustomerSelectInserted(CustomerRecord& record) {
    if (mInsertedCustomerSerialNumber <= 0) {
        return false;
    }
    return ReadFirstRow(statements::kCustomerSelect, {mInsertedCustomerSerialNumber}, [&] {
        record.serialNumber = SerialField(L"CUSTOMER_SERIAL_NUMBER");
        ReadCustomer(record);
    });
}

bool DATABASECONTEXT::CustomerUpdate(const CustomerRecord& record, int32_t serialNumber) {
    return Execute(statements::kCustomerUpdate,
                   {record.pid, record.name, record.gender, record.bloodType, record.address,
                    record.visitFirst, serialNumber});
}

bool DATABASECONTEXT::CustomerDelete(int32_t serialNumber) {
    return Execute(statements::kCustomerDelete, {serialNumber});
}

bool DATABASECONTEXT::CustomerDeleteWithRecords(int32_t serialNumber) {
    const odbc::Parameter serial[] = {serialNumber};
    try {
        if (!Connected()) {
            return false;
        }
        mDatabase.BeginTransaction();
        mDatabase.ExecuteDirect(statements::kPhotoDeleteByCustomer, serial);
        mDatabase.ExecuteDirect(statements::kNoteDeleteByCustomer, serial);
        mDatabase.ExecuteDirect(statements::kCustomerDelete, serial);
        mDatabase.CommitTransaction();
        return true;
    } catch (const odbc::Error& error) {
        mDatabase.RollbackTransaction();
        ReportWriteError(error);
        return false;
    }
}

void DATABASECONTEXT::CustomerListAll(ui::ListBox& listBox) {
    listBox.Clear();
    CustomerListLine line(mRecordset);
    ReadEachRow(statements::kCustomerListAll, {}, [&] { listBox.AddLine(line.Read()); });
}

void DATABASECONTEXT::CustomerListSearch(ui::ListBox& listBox, const std::wstring& searchText) {
    listBox.Clear();
    // Patients whose PID matches come first, then those that match by name only; a line
    // already listed is not listed again.
    std::vector<std::wstring> lines;
    std::unordered_set<std::wstring> listed;
    CustomerListLine customerLine(mRecordset);
    auto collect = [&] {
        std::wstring line = customerLine.Read();
        if (listed.insert(line).second) {
            lines.push_back(std::move(line));
        }
    };
    ReadEachRow(statements::kCustomerListSearchByPid, {searchText}, collect);
    ReadEachRow(statements::kCustomerListSearchByName, {searchText}, collect);
    for (std::wstring& line : lines) {
        listBox.AddLine(std::move(line));
    }
}

bool DATABASECONTEXT::PhotoSelect(PhotoRecord& record) {
    return ReadFirstRow(statements::kPhotoSelect, {record.customerSerialNumber, record.name},
                        [&] { ReadPhoto(record); });
}

bool DATABASECONTEXT::PhotoSelectByName(PhotoRecord& record) {
    return ReadFirstRow(statements::kPhotoSelectByName, {record.name}, [&] { ReadPhoto(record); });
}

bool DATABASECONTEXT::PhotoCommentSelect(int32_t customerSerialNumber,
                                         const std::wstring& photoName, std::wstring& comment) {
    return ReadFirstRow(statements::kPhotoCommentSelect, {customerSerialNumber, photoName},
                        [&] { comment = mRecordset.GetText(L"PHOTO_COMMENT"); });
}

bool DATABASECONTEXT::PhotoCommentUpdate(int32_t customerSerialNumber,
                                         const std::wstring& photoName,
                                         const std::wstring& comment) {
    return Execute(statements::kPhotoCommentUpdate, {comment, customerSerialNumber, photoName});
}

bool DATABASECONTEXT::PhotoCommentUpdateByName(const std::wstring& photoName,
                                               const std::wstring& comment) {
    return Execute(statements::kPhotoCommentUpdateByName, {comment, photoName});
}

bool DATABASECONTEXT::PhotoInsert(const PhotoRecord& record) {
    return Execute(statements::kPhotoInsert,
                   {record.customerSerialNumber, record.name, record.date, record.comment});
}

bool DATABASECONTEXT::PhotoInsertAll(std::span<const PhotoRecord> records) {
    if (!mDatabase.IsOpen()) {
        return false;
    }
    try {
        mDatabase.BeginTransaction();
        for (const PhotoRecord& record : records) {
            const odbc::Parameter row[] = {record.customerSerialNumber, record.name, record.date,
                                           record.comment};
            mDatabase.ExecuteDirect(statements::kPhotoInsert, row);
        }
        mDatabase.CommitTransaction();
        return true;
    } catch (const odbc::Error&) {
        mDatabase.RollbackTransaction();
        return false;
    }
}

bool DATABASECONTEXT::PhotoDeleteByName(const std::wstring& photoName) {
    return Execute(statements::kPhotoDeleteByName, {photoName});
}

bool DATABASECONTEXT::PhotoDeleteByCustomer(int32_t customerSerialNumber) {
    return Execute(statements::kPhotoDeleteByCustomer, {customerSerialNumber});
}

bool DATABASECONTEXT::NoteSelectLast(NoteRecord& record) {
    return ReadFirstRow(statements::kNoteSelectLast, {record.customerSerialNumber},
                        [&] { ReadNote(record); });
}

bool DATABASECONTEXT::NoteCommentSelect(int32_t noteSerialNumber, std::wstring& comment) {
    return ReadFirstRow(statements::kNoteCommentSelect, {noteSerialNumber},
                        [&] { comment = mRecordset.GetText(L"NOTE_COMMENT"); });
}

bool DATABASECONTEXT::NoteInsert(const NoteRecord& record) {
    if (!Execute(statements::kNoteInsert,
                 {record.customerSerialNumber, record.date, record.comment})) {
        return false;
    }
    mInsertedNoteSerialNumber = InsertedSerialNumber();
    return true;
}

bool DATABASECONTEXT::NoteSelectInserted(NoteRecord& record) {
    if (mInsertedNoteSerialNumber <= 0) {
        return false;
    }
    return ReadFirstRow(statements::kNoteSelect, {mInsertedNoteSerialNumber}, [&] {
        record.customerSerialNumber = SerialField(L"CUSTOMER_SERIAL_NUMBER");
        ReadNote(record);
    });
}

bool DATABASECONTEXT::NoteCommentUpdate(int32_t noteSerialNumber, const std::wstring& comment) {
    return Execute(statements::kNoteCommentUpdate, {comment, noteSerialNumber});
}

bool DATABASECONTEXT::NoteDelete(int32_t noteSerialNumber) {
    return Execute(statements::kNoteDelete, {noteSerialNumber});
}

bool DATABASECONTEXT::NoteDeleteByCustomer(int32_t customerSerialNumber) {
    return Execute(statements::kNoteDeleteByCustomer, {customerSerialNumber});
}

void DATABASECONTEXT::NoteListAll(ui::ListBox& listBox, int32_t customerSerialNumber) {
    listBox.Clear();
    ReadEachRow(statements::kNoteListAll, {customerSerialNumber}, [&] {
        listBox.AddLine(text::sprintf(L"%04d-%s", SerialField(L"NOTE_SERIAL_NUMBER"),
                                      mRecordset.GetText(L"NOTE_DATE")));
    });
}
