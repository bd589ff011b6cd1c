// The note rules of the main window: listing, selecting, adding, saving and deleting notes.
#include "app/NotesWorkflow.h"

#include "app/PatientWorkflow.h"
#include "app/RecordFormCodes.h"
#include "platform/text/Format.h"
#include "records/DATABASECONTEXT.h"
#include "utility/boxes/OperatorPrompts.h"

NotesWorkflow::NotesWorkflow(DATABASECONTEXT& recordStore, PatientWorkflow& patients,
                             OperatorPrompts& prompts)
    : mRecordStore(recordStore), mPatients(patients), mPrompts(prompts) {}

void NotesWorkflow::ListNotes(ui::ListBox& list) {
    mRecordStore.NoteListAll(list, mPatients.CustomerSerialNumber());
}

void NotesWorkflow::ClearSelection() {
    mNoteSerialNumber = -1;
    mStringNoteInfo.clear();
}

bool NotesWorkflow::AddNote(const std::wstring& now) {
    if (!mPatients.RequireCustomer()) {
        return false;
    }
    NoteRecord note;
    note.customerSerialNumber = mPatients.CustomerSerialNumber();
    note.date = now;
    if (!mRecordStore.NoteInsert(note) || !mRecordStore.NoteSelectInserted(note)) {
        return false;
    }
    mNoteSerialNumber = note.serialNumber;
    mStringNoteInfo = text::sprintf(L"%04d-%s", note.serialNumber, note.date);
    return true;
}

std::optional<std::wstring> NotesWorkflow::SelectNoteLine(const std::wstring& line) {
    mStringNoteInfo = line;
    mNoteSerialNumber = recordform::LineSerialNumber(line);
    std::wstring comment;
    if (!mRecordStore.NoteCommentSelect(mNoteSerialNumber, comment)) {
        return std::nullopt;
    }
    return comment;
}

bool NotesWorkflow::SaveNote(const std::wstring& comment) {
    if (!RequireNote()) {
        return false;
    }
    const bool saved = mRecordStore.NoteCommentUpdate(mNoteSerialNumber, comment);
    mPrompts.ShowMessage(saved ? L"Save Success." : L"Save Fail.");
    return true;
}

bool NotesWorkflow::DeleteNote() {
    if (!RequireNote()) {
        return false;
    }
    if (mPrompts.AskYesNo(L"Are you sure?") && mRecordStore.NoteDelete(mNoteSerialNumber)) {
        ClearSelection();
    }
    return true;
}

bool NotesWorkflow::RequireNote() {
    if (!mPatients.RequireCustomer()) {
        return false;
    }
    if (mNoteSerialNumber < 0) {
        mPrompts.ShowMessage(L"Please select one note!");
        return false;
    }
    return true;
}
