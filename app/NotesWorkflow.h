// The main window's note rules without the window: the selected patient's dated notes, which
// note is selected and the NoteInfo band's text, and adding, saving and deleting a note.
//
// UI thread only. Messages go through OperatorPrompts; the patient comes from PatientWorkflow.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class DATABASECONTEXT;
class OperatorPrompts;
class PatientWorkflow;

namespace ui {
class ListBox;
}  // namespace ui

class NotesWorkflow {
  public:
    NotesWorkflow(DATABASECONTEXT& recordStore, PatientWorkflow& patients,
                  OperatorPrompts& prompts);

    int32_t NoteSerialNumber() const { return mNoteSerialNumber; }
    // "%04d-<date>" of the selected note; empty when none is selected.
    const std::wstring& NoteInfo() const { return mStringNoteInfo; }

    // The selected patient's notes, one line "%04d-<date>" each.
    void ListNotes(ui::ListBox& list);
    void ClearSelection();
    // Inserts an empty note dated now ("MMDDYYYY:HHMMSS" in `now`) for the selected patient and
    // selects it; false without a patient or when the record store refused.
    bool AddNote(const std::wstring& now);
    // Selects the note of a list line and returns its stored text (nullopt when the note has no
    // row any more: the window then keeps the text it shows).
    std::optional<std::wstring> SelectNoteLine(const std::wstring& line);
    // Stores `comment` into the selected note: "Save Success." or "Save Fail."; "Please select
    // one note!" without one. false when nothing was tried (no patient or no note selected).
    bool SaveNote(const std::wstring& comment);
    // Asks "Are you sure?" and deletes the selected note; a deleted note is no longer selected,
    // so that text typed afterwards is never reported as saved into it. false when nothing
    // was asked (no patient or no note selected).
    bool DeleteNote();

  private:
    bool RequireNote();

    DATABASECONTEXT& mRecordStore;
    PatientWorkflow& mPatients;
    OperatorPrompts& mPrompts;
    int32_t mNoteSerialNumber = -1;
    std::wstring mStringNoteInfo;
};
