// The main window's test fixture.
#include "tests/app/OperationRoomFixture.h"

#include "app/OperationRoomIds.h"
#include "resources/ResourceIds.h"
#include "utility/boxes/CImageMsgBoxDlg.h"
#include "utility/boxes/CImageYesNoBoxDlg.h"

using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

void OperationRoomTest::Run(const Steps& steps) {
    CDlgOperationRoom room(nullptr);
    OnNextModal([](ModalWindow& cover) { cover.End(2); });
    OnNextModal([&](ModalWindow& window) {
        steps(window, room);
        window.Click(operationroom::kExit);
        EXPECT_TRUE(window.WaitUntilEnded(5000));
    });
    room.DoModal();
}

std::unique_ptr<DATABASECONTEXT> OperationRoomTest::OpenStore() {
    auto store = std::make_unique<DATABASECONTEXT>(nullptr);
    store->DatabaseCreate();
    return store;
}

CustomerRecord OperationRoomTest::Customer(int32_t serialNumber) {
    CustomerRecord record;
    EXPECT_TRUE(OpenStore()->CustomerSelect(serialNumber, record)) << "patient " << serialNumber;
    return record;
}

void OperationRoomTest::ExpectMessage(const std::wstring& text) {
    OnNextModal([text](ModalWindow& box) {
        auto* dialog = dynamic_cast<CImageMsgBoxDlg*>(box.Dialog());
        ASSERT_NE(dialog, nullptr) << "not the statement box";
        EXPECT_EQ(dialog->MessageText(), text);
        box.Click(resources::kControlBoxOk);
    });
}

void OperationRoomTest::AnswerQuestion(const std::wstring& text, int answer) {
    OnNextModal([text, answer](ModalWindow& box) {
        auto* dialog = dynamic_cast<CImageYesNoBoxDlg*>(box.Dialog());
        ASSERT_NE(dialog, nullptr) << "not the yes/no box";
        EXPECT_EQ(dialog->MessageText(), text);
        if (answer == ui::kIdYes) {
            box.Click(resources::kControlBoxYes);
        } else if (answer == ui::kIdNo) {
            box.Click(resources::kControlBoxNo);
        } else {
            box.PressEscape();
        }
    });
}

void OperationRoomTest::SelectCustomer(ModalWindow& window, int index) {
    window.Activate(operationroom::kCustomerList, index);
}

std::wstring OperationRoomTest::InfoBand(ModalWindow& window) {
    return window.ControlText(operationroom::kInfoBand);
}

std::wstring OperationRoomTest::NoteInfoBand(ModalWindow& window) {
    return window.ControlText(operationroom::kNoteInfoBand);
}

std::vector<std::wstring> OperationRoomTest::Lines(CDlgOperationRoom& room, int listId) {
    std::vector<std::wstring> lines;
    auto* list = room.Control<ui::ListBoxControl>(listId);
    for (int i = 0; i < list->Count(); ++i) {
        lines.push_back(list->LineText(i));
    }
    return lines;
}
