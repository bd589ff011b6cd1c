// The main window: the patient list and search on the left, the record form with the identity
// photo in the middle, the notes of the selected patient on the right and the thumbnails of
// the patient's captures below. It fills the screen above the taskbar and stays open for the
// whole run; it owns the record store and the configuration context block.
//
// The window only binds controls: the rules of patients, notes and the media list live in
// PatientWorkflow and NotesWorkflow, which it creates over its record store and answers through
// SkinnedPrompts (the skinned boxes). The binding is split by job: CDlgOperationRoom.cpp
// (start-up, shutdown, the cover), OperationRoomLayout.cpp (placement, fonts, painting),
// OperationRoomRecordForm.cpp (the form), OperationRoomPatients.cpp, OperationRoomNotes.cpp,
// OperationRoomMedia.cpp (the media list, opening a capture and the camera commands) and
// OperationRoomIdPhoto.cpp. UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/Dialog.h"
#include "records/Records.h"
#include "utility/boxes/SkinnedPrompts.h"

class ArchiveWorker;
class DATABASECONTEXT;
class NotesWorkflow;
class PatientWorkflow;

class CDlgOperationRoom : public ui::Dialog {
  public:
    explicit CDlgOperationRoom(ui::Window* parent);
    ~CDlgOperationRoom() override;

  protected:
    bool OnInitDialog() override;
    // Enter does nothing: it would otherwise end the program from the search field.
    void OnOK() override {}
    void OnDestroy() override;

  private:
    static constexpr int kConfigurationContextSize = 40;

    // Start-up.
    void ShowCoverWindow();
    void LayOutWindow();
    void LayOutHeaderBand(int width);
    void LayOutControls(int width, int height);
    void PrepareMediaList();

    // Drawing.
    void OnDrawItem(int controlId, ui::DrawItem& item);
    void OnPaintWindow(ui::DrawContext& dc);
    // Repaints the Info or NoteInfo band after its text member changed.
    void RedrawBand(int controlId);

    // The record form.
    // Takes the selected patient's folders from the workflow.
    void UpdateMediaPaths();
    // Shows `record`; false when its first-visit date cannot be read (the picker then shows
    // today and every other field is filled).
    bool FillRecordForm(const CustomerRecord& record);
    CustomerRecord ReadRecordForm();
    void ClearRecordForm();
    void SetRecordFormToday();

    // Patients.
    void RefreshCustomerList();
    void ShowSelectedCustomer(const CustomerRecord& record);
    void OnLbnDblclkListCustomer();
    void OnBnClickedButtonSearch();
    void OnBnClickedButtonAddCustomer();
    void OnBnClickedButtonSaveCustomer();
    void OnBnClickedButtonDeleteCustomer();

    // Notes.
    void RefreshNoteList();
    void ClearNoteSelection();
    // Repaints the NoteInfo band with the selected note's line.
    void ShowNoteInfo();
    void OnBnClickedButtonAddNote();
    void OnLbnDblclkListNote();
    void OnBnClickedButtonNoteSave();
    void OnBnClickedButtonNoteDelete();

    // Media list and camera commands.
    void RefreshMediaList();
    // Empties the media list and its pictures.
    void ClearMediaList();
    void AddMediaItem(const std::wstring& fileName);
    // Opens the comment dialog on the activated capture's picture, then reloads the list.
    void OnLvnItemActivateListMedia(int item);
    // With the archive's ResendChangedComments on, queues the patient's sent captures whose
    // comment changed as new versions and wakes the sender.
    void QueueChangedArchiveComments();
    void OnBnClickedButtonCamera();
    void OnBnClickedButtonSetup();

    // Identity photo.
    void ShowIdPhoto();
    void OnBnClickedButtonIdPhoto();

    void OnBnClickedButtonExit();

    SkinnedPrompts mPrompts{this};
    std::unique_ptr<DATABASECONTEXT> mRecordStore;
    std::unique_ptr<PatientWorkflow> mPatients;
    std::unique_ptr<NotesWorkflow> mNotes;
    std::unique_ptr<uint8_t[]> mConfigurationContext;
    // Sends filed captures to the image archive; only when one is configured.
    std::unique_ptr<ArchiveWorker> mArchiveWorker;
    std::wstring mStringProgramFolder;
    std::wstring mStringConfigPath;
    std::wstring mStringImageFolder;
    std::wstring mStringVideoFolder;
    std::wstring mStringThumbnailFolder;
    std::wstring mStringIdPhotoPath;
    std::wstring mStringInfo;
    std::wstring mStringNoteInfo;
    ui::Bitmap mIdPhotoBitmap;
};
