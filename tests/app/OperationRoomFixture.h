// The main window on a fresh program folder, driven headless: the cover is ended at once, the
// test's steps run while the window is shown, then Exit closes it. Helpers answer the skinned
// boxes and read the database afterwards.
#pragma once

#include <functional>
#include <string>

#include "app/CDlgOperationRoom.h"
#include "platform/ui/testing/MessageBoxRecorder.h"
#include "platform/ui/testing/UiTesting.h"
#include "records/DATABASECONTEXT.h"
#include "tests/support/TestProgramFolder.h"

class OperationRoomTest : public ui::testing::UiTest {
  protected:
    using Steps = std::function<void(ui::testing::ModalWindow& window, CDlgOperationRoom& room)>;

    // Runs the main window with `steps`; the record store has made the database by then.
    void Run(const Steps& steps);
    // A record store of its own on the program folder's database (after or between runs).
    std::unique_ptr<DATABASECONTEXT> OpenStore();
    CustomerRecord Customer(int32_t serialNumber);

    // Queues the answer to the next skinned statement box, expecting `text`.
    static void ExpectMessage(const std::wstring& text);
    // Queues the answer to the next skinned yes/no box (asking `text`): 6 YES, 7 NO, 2 Escape.
    static void AnswerQuestion(const std::wstring& text, int answer);

    // Double-clicks the patient line or note line `index`.
    static void SelectCustomer(ui::testing::ModalWindow& window, int index);
    static std::wstring InfoBand(ui::testing::ModalWindow& window);
    static std::wstring NoteInfoBand(ui::testing::ModalWindow& window);
    static std::vector<std::wstring> Lines(CDlgOperationRoom& room, int listId);

    std::filesystem::path Database() const { return mFolder.Path() / "database"; }

    testsupport::TestProgramFolder mFolder;
    // The record store's standard boxes (database errors) are recorded, never shown.
    ui::testing::MessageBoxRecorder mStandardBoxes;
};
