// The record store: the one object through which the program reads and writes patients,
// photos and notes. It owns the database connection and one cursor reused by every read; it
// caches nothing, every call goes to the database.
//
// Threading: UI thread only; operations never overlap (they share the cursor).
// Where: the embedded database file below the program folder, or the database server that
// the registry names (DatabaseSettings.h), whose tables are created on first use.
//
// Errors: writes report a database error in two standard message boxes and return false;
// reads let odbc::Error escape to the window layer's dispatch, which shows it and abandons the
// command. Without a connection to the embedded file (start-up failed) every operation fails
// quietly: reads find nothing, lists stay empty, writes return false. Without a connection to
// a server (it was down at start or went away) every operation first connects again; when
// that fails it reports the server's text as its own error would.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "platform/odbc/Connection.h"
#include "platform/odbc/Cursor.h"
#include "records/DatabaseSettings.h"
#include "records/Records.h"

namespace ui {
class ListBox;
class Window;
}  // namespace ui

class DATABASECONTEXT {
  public:
    // Creates the database and identity-photo folders below the program folder; opens nothing.
    explicit DATABASECONTEXT(ui::Window* owner);
    ~DATABASECONTEXT();
    DATABASECONTEXT(const DATABASECONTEXT&) = delete;
    DATABASECONTEXT& operator=(const DATABASECONTEXT&) = delete;

    // Places the database file from the embedded template when none exists, registers the
    // data source "MedicalRecord" and opens the connection; with a server configured, opens
    // the connection to its data source and creates the tables it lacks instead. Reports a
    // failure itself.
    void DatabaseCreate();
    // Registers data source `dataSourceName` for the database file at `path` with the driver of
    // `driverKind` (1, 2, 3); false when the file cannot be read or the kind is unknown.
    bool CreateDataSource(const std::wstring& path, int32_t driverKind,
                          const std::wstring& dataSourceName);
    bool IsOpen() const { return mDatabase.IsOpen(); }
    // Closes the connection; the main window calls it before destroying the record store.
    void Close();

    // Patients.
    bool CustomerSelect(int32_t serialNumber, CustomerRecord& record);
    bool CustomerSelectLast(CustomerRecord& record);
    // Inserts a patient and remembers the serial the database gave it.
    bool CustomerInsert(const CustomerRecord& record);
    // Fills all seven fields from the patient this record store inserted last (not another
    // program's newer patient); false when it inserted none or the row is gone.
    bool CustomerSelectInserted(CustomerRecord& record);
    bool CustomerUpdate(const CustomerRecord& record, int32_t serialNumber);
    bool CustomerDelete(int32_t serialNumber);
    // Deletes the patient's photos, notes and row in one transaction: all of them or none.
    bool CustomerDeleteWithRecords(int32_t serialNumber);
    void CustomerListAll(ui::ListBox& listBox);
    void CustomerListSearch(ui::ListBox& listBox, const std::wstring& searchText);

    // Photos.
    bool PhotoSelect(PhotoRecord& record);
    bool PhotoSelectByName(PhotoRecord& record);
    bool PhotoCommentSelect(int32_t customerSerialNumber, const std::wstring& photoName,
                            std::wstring& comment);
    bool PhotoCommentUpdate(int32_t customerSerialNumber, const std::wstring& photoName,
                            const std::wstring& comment);
    bool PhotoCommentUpdateByName(const std::wstring& photoName, const std::wstring& comment);
    bool PhotoInsert(const PhotoRecord& record);
    // Inserts every row in one transaction, so that they become durable together: all of them
    // or none. A failure is not reported, so that the caller can insert one row at a time
    // with the usual reports.
    bool PhotoInsertAll(std::span<const PhotoRecord> records);
    bool PhotoDeleteByName(const std::wstring& photoName);
    bool PhotoDeleteByCustomer(int32_t customerSerialNumber);

    // Notes.
    bool NoteSelectLast(NoteRecord& record);
    bool NoteCommentSelect(int32_t noteSerialNumber, std::wstring& comment);
    // Inserts a note and remembers the serial the database gave it.
    bool NoteInsert(const NoteRecord& record);
    // Fills all four fields from the note this record store inserted last.
    bool NoteSelectInserted(NoteRecord& record);
    bool NoteCommentUpdate(int32_t noteSerialNumber, const std::wstring& comment);
    bool NoteDelete(int32_t noteSerialNumber);
    bool NoteDeleteByCustomer(int32_t customerSerialNumber);
    void NoteListAll(ui::ListBox& listBox, int32_t customerSerialNumber);

  private:
    // Opens the server's data source and creates the tables it lacks. Throws odbc::Error.
    void OpenServer();
    // Whether there is a connection to use, connecting to the server again when its link was
    // lost. Throws odbc::Error when the server cannot be reached.
    bool Connected();
    // Runs one written statement; on a database error shows its text twice and returns false.
    bool Execute(const wchar_t* statement, std::initializer_list<odbc::Parameter> parameters);
    // Shows a write error's text in two standard message boxes.
    void ReportWriteError(const odbc::Error& error);
    // Open the shared cursor on a read statement and close it again when done, also when a
    // read throws. Without a connection nothing is read. ReadFirstRow lets `readRow` read the
    // first row and returns whether there was one; ReadEachRow calls it for every row.
    template <typename RowReader>
    bool ReadFirstRow(const wchar_t* statement, std::initializer_list<odbc::Parameter> parameters,
                      RowReader&& readRow);
    template <typename RowReader>
    void ReadEachRow(const wchar_t* statement, std::initializer_list<odbc::Parameter> parameters,
                     RowReader&& readRow);
    // The serial of the row this connection inserted last; 0 when it cannot be read.
    int32_t InsertedSerialNumber();
    // Column readers of the current row.
    int32_t SerialField(const wchar_t* column) const;
    void ReadCustomer(CustomerRecord& record) const;
    void ReadPhoto(PhotoRecord& record) const;
    void ReadNote(NoteRecord& record) const;

    ui::Window* mOwner;
    std::wstring mStringDatabaseFolder;
    std::wstring mStringIdPhotoFolder;
    odbc::Connection mDatabase;
    odbc::Cursor mRecordset;
    std::wstring mStringModuleFolder;
    DatabaseSettings mSettings;  // the registry's, read once; no data source: the file
    int32_t mInsertedCustomerSerialNumber = 0;  // 0: none inserted yet
    int32_t mInsertedNoteSerialNumber = 0;
};
