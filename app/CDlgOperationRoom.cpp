// The main window's message table, start-up and shutdown, and the one-second cover.
#include "app/CDlgOperationRoom.h"

#include "app/ConfigurationDefaults.h"
#include "app/NotesWorkflow.h"
#include "app/OperationRoomIds.h"
#include "app/PatientWorkflow.h"
#include "archive/ArchivePassLog.h"
#include "archive/ArchiveQueue.h"
#include "archive/ArchiveSettings.h"
#include "archive/ArchiveWorker.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "platform/ui/MessageBox.h"
#include "records/DATABASECONTEXT.h"
#include "records/DatabaseSettings.h"
#include "resources/ResourceIds.h"
#include "utility/boxes/CCoverDlg.h"
#include "utility/files/Configuration.h"
#include "utility/files/Files.h"

using namespace operationroom;

CDlgOperationRoom::CDlgOperationRoom(ui::Window* parent)
    : ui::Dialog(resources::kDialogOperationRoom, parent) {
    UTILITY_GetModuleFolder(mStringProgramFolder);
    mStringConfigPath = text::sprintf(L"%s/%s", mStringProgramFolder, L"Sorvanti.ini");

    OnClick(kExit, &CDlgOperationRoom::OnBnClickedButtonExit);
    OnOwnerDraw(&CDlgOperationRoom::OnDrawItem);
    OnClick(kCamera, &CDlgOperationRoom::OnBnClickedButtonCamera);
    OnClick(kSetup, &CDlgOperationRoom::OnBnClickedButtonSetup);
    OnPaint(&CDlgOperationRoom::OnPaintWindow);
    OnClick(kSearch, &CDlgOperationRoom::OnBnClickedButtonSearch);
    OnClick(kIdPhoto, &CDlgOperationRoom::OnBnClickedButtonIdPhoto);
    OnListDoubleClick(kCustomerList, &CDlgOperationRoom::OnLbnDblclkListCustomer);
    OnListDoubleClick(kNoteList, &CDlgOperationRoom::OnLbnDblclkListNote);
    OnClick(kSave, &CDlgOperationRoom::OnBnClickedButtonSaveCustomer);
    OnClick(kDelete, &CDlgOperationRoom::OnBnClickedButtonDeleteCustomer);
    OnClick(kNoteSave, &CDlgOperationRoom::OnBnClickedButtonNoteSave);
    OnClick(kNoteDelete, &CDlgOperationRoom::OnBnClickedButtonNoteDelete);
    OnClick(kAddNote, &CDlgOperationRoom::OnBnClickedButtonAddNote);
    OnClick(kAddCustomer, &CDlgOperationRoom::OnBnClickedButtonAddCustomer);
    OnItemActivate(kMediaList, &CDlgOperationRoom::OnLvnItemActivateListMedia);
}

CDlgOperationRoom::~CDlgOperationRoom() = default;

bool CDlgOperationRoom::OnInitDialog() {
    SetText(text::sprintf(L"Sorvanti v%d.%d", kProgramVersionMajor, kProgramVersionMinor));

    mConfigurationContext = std::make_unique<uint8_t[]>(kConfigurationContextSize);
    UTILITY_OpenOrCreateFile(this, mConfigurationContext.get(), kConfigurationContextSize,
                             mStringConfigPath, WriteDefaultConfiguration,
                             CheckConfigurationVersion);

    mRecordStore = std::make_unique<DATABASECONTEXT>(this);
    mRecordStore->DatabaseCreate();
    // The patients' media lie in the media folder (shared by the clinic's workstations when
    // the registry names one).
    const std::wstring mediaFolder = MediaFolder(ReadDatabaseSettings(), mStringProgramFolder);
    mPatients = std::make_unique<PatientWorkflow>(*mRecordStore, mediaFolder, mPrompts);
    mNotes = std::make_unique<NotesWorkflow>(*mRecordStore, *mPatients, mPrompts);
    std::string archiveProblem;
    if (const auto archive = ReadArchiveSettings(archiveProblem)) {
        mArchiveWorker = std::make_unique<ArchiveWorker>(*archive, ArchiveQueue::DefaultFolder(),
                                                         text::ToPath(mediaFolder),
                                                         ArchiveWorker::Timing{}, ArchivePassLog());
    }

    ShowCoverWindow();
    LayOutWindow();
    PrepareMediaList();
    ShowIdPhoto();
    RefreshCustomerList();
    return true;
}

void CDlgOperationRoom::OnDestroy() {
    mArchiveWorker.reset();
    mNotes.reset();
    mPatients.reset();
    if (mRecordStore) {
        if (mRecordStore->IsOpen()) {
            mRecordStore->Close();
        }
        mRecordStore.reset();
    }
    mConfigurationContext.reset();
}

void CDlgOperationRoom::ShowCoverWindow() {
    CCoverDlg cover(nullptr);
    cover.mPictureBitmapId = resources::kBitmapCover;
    cover.mBackgroundColor = ui::Rgb(242, 242, 242);
    cover.DoModal();
}

void CDlgOperationRoom::OnBnClickedButtonExit() {
    PostClose();
}
