// The notes panel bound to NotesWorkflow: the selected patient's dated notes, one selected
// note's text, and adding, saving and deleting notes.
#include "app/CDlgOperationRoom.h"
#include "app/NotesWorkflow.h"
#include "app/OperationRoomIds.h"
#include "app/PatientWorkflow.h"
#include "utility/files/Files.h"

using namespace operationroom;

void CDlgOperationRoom::RefreshNoteList() {
    mNotes->ListNotes(*Control<ui::ListBoxControl>(kNoteList));
}

void CDlgOperationRoom::ClearNoteSelection() {
    mNotes->ClearSelection();
    ShowNoteInfo();
}

void CDlgOperationRoom::ShowNoteInfo() {
    mStringNoteInfo = mNotes->NoteInfo();
    RedrawBand(kNoteInfoBand);
}

void CDlgOperationRoom::OnBnClickedButtonAddNote() {
    if (!mPatients->RequireCustomer()) {
        return;
    }
    FindControl(kNoteText)->SetText(L"");
    std::wstring now;
    UTILITY_GetDateTimeString(now);
    if (mNotes->AddNote(now)) {
        ShowNoteInfo();
        RefreshNoteList();
    }
}

void CDlgOperationRoom::OnLbnDblclkListNote() {
    auto* list = Control<ui::ListBoxControl>(kNoteList);
    const int line = list->Selection();
    if (line < 0) {
        return;
    }
    const std::optional<std::wstring> comment = mNotes->SelectNoteLine(list->LineText(line));
    ShowNoteInfo();
    if (comment) {
        FindControl(kNoteText)->SetText(*comment);
    }
}

void CDlgOperationRoom::OnBnClickedButtonNoteSave() {
    if (mNotes->SaveNote(FindControl(kNoteText)->Text())) {
        RefreshNoteList();
    }
}

void CDlgOperationRoom::OnBnClickedButtonNoteDelete() {
    if (mNotes->DeleteNote()) {
        ShowNoteInfo();
        FindControl(kNoteText)->SetText(L"");
        RefreshNoteList();
    }
}
