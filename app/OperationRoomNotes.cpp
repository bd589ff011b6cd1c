// The notes panel: the selected patient's dated notes, one selected note's text, and adding,
// saving and deleting notes.
#include "app/CDlgOperationRoom.h"
#include "app/OperationRoomIds.h"
#include "app/RecordFormCodes.h"
#include "platform/text/Format.h"
#include "records/DATABASECONTEXT.h"
#include "utility/Files.h"

using namespace operationroom;

void CDlgOperationRoom::RefreshNoteList() {
    mRecordStore->NoteListAll(*Control<ui::ListBoxControl>(kNoteList), mCustomerSerialNumber);
}

void CDlgOperationRoom::ClearNoteSelection() {
    mNoteSerialNumber = -1;
    mStringNoteInfo.clear();
    RedrawBand(kNoteInfoBand);
}

void CDlgOperationRoom::OnBnClickedButtonAddNote() {
    if (!RequireCustomer()) {
        return;
    }
    NoteRecord note;
    note.customerSerialNumber = mCustomerSerialNumber;
    UTILITY_GetDateTimeString(note.date);
    FindControl(kNoteText)->SetText(L"");
    if (!mRecordStore->NoteInsert(note)) {
        return;
    }
    if (!mRecordStore->NoteSelectInserted(note)) {
        return;
    }
    mNoteSerialNumber = note.serialNumber;
    mStringNoteInfo = text::sprintf(L"%04d-%s", note.serialNumber, note.date);
    RedrawBand(kNoteInfoBand);
    RefreshNoteList();
}

void CDlgOperationRoom::OnLbnDblclkListNote() {
    auto* list = Control<ui::ListBoxControl>(kNoteList);
    const int line = list->Selection();
    if (line < 0) {
        return;
    }
    mStringNoteInfo = list->LineText(line);
    mNoteSerialNumber = recordform::LineSerialNumber(mStringNoteInfo);
    RedrawBand(kNoteInfoBand);
    std::wstring comment;
    if (mRecordStore->NoteCommentSelect(mNoteSerialNumber, comment)) {
        FindControl(kNoteText)->SetText(comment);
    }
}

void CDlgOperationRoom::OnBnClickedButtonNoteSave() {
    if (!RequireCustomer()) {
        return;
    }
    if (mNoteSerialNumber < 0) {
        ShowMessage(L"Please select one note!");
        return;
    }
    const bool saved =
        mRecordStore->NoteCommentUpdate(mNoteSerialNumber, FindControl(kNoteText)->Text());
    ShowMessage(saved ? L"Save Success." : L"Save Fail.");
    RefreshNoteList();
}

void CDlgOperationRoom::OnBnClickedButtonNoteDelete() {
    if (!RequireCustomer()) {
        return;
    }
    if (mNoteSerialNumber < 0) {
        ShowMessage(L"Please select one note!");
        return;
    }
    // A deleted note is no longer selected, so that text typed afterwards is never reported
    // as saved into it.
    if (AskYesNo(L"Are you sure?") && mRecordStore->NoteDelete(mNoteSerialNumber)) {
        ClearNoteSelection();
    }
    FindControl(kNoteText)->SetText(L"");
    RefreshNoteList();
}
