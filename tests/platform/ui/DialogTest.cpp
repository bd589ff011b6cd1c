// Dialogs from templates driven headless: placement in dialog units, message routing by id,
// modal results, the read-error guard and placement from worker threads.
#include <gtest/gtest.h>

#include <thread>

#include "platform/odbc/Error.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Screen.h"
#include "platform/ui/testing/UiTesting.h"

namespace {

using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

constexpr int kTestDialog = 60001;

const ui::DialogTemplate kTemplate{
    kTestDialog,
    ui::kDialogCentered,
    L"Test",
    L"Courier New",
    8,
    200,
    100,
    {
        {1001, ui::ControlKind::Button, 0, L"Go", 57, 3, 80, 13},
        {1002, ui::ControlKind::Edit, 0, L"", 10, 20, 60, 12},
        {1003, ui::ControlKind::ListBox, ui::kStyleNotify, L"", 10, 40, 60, 40},
        {1004, ui::ControlKind::ComboBox, ui::kStyleDropDown, L"", 80, 40, 60, 40},
        {1005, ui::ControlKind::Button, 0, L"Fail", 150, 3, 40, 13},
    }};
const ui::DialogTemplateRegistration kRegistration(kTemplate);

class TestDialog : public ui::Dialog {
  public:
    explicit TestDialog(bool enterDoesNothing = false)
        : ui::Dialog(kTestDialog, nullptr), mEnterDoesNothing(enterDoesNothing) {
        OnClick(1001, &TestDialog::OnGo);
        OnClick(1005, &TestDialog::OnFail);
        OnListDoubleClick(1003, &TestDialog::OnLine);
        OnSelectionChange(1004, &TestDialog::OnPick);
        OnLeftButtonDown(&TestDialog::OnPress);
    }
    std::vector<std::wstring> log;

  protected:
    bool OnInitDialog() override {
        Control<ui::ListBoxControl>(1003)->AddLine(L"0001-A-One");
        Control<ui::ListBoxControl>(1003)->AddLine(L"0002-B-Two");
        Control<ui::ComboBox>(1004)->AddItem(L"Male");
        Control<ui::ComboBox>(1004)->AddItem(L"Female");
        return true;
    }
    void OnOK() override {
        if (!mEnterDoesNothing) {
            EndDialog(1);
        }
    }
    void OnDestroy() override { log.push_back(L"destroy"); }

  private:
    void OnGo() { log.push_back(L"go " + Control<ui::Edit>(1002)->Text()); }
    void OnFail() {
        log.push_back(L"fail");
        throw odbc::Error(L"[SQLite] near \"O\": syntax error");
    }
    void OnLine() {
        auto* list = Control<ui::ListBoxControl>(1003);
        log.push_back(L"line " + list->LineText(list->Selection()));
    }
    void OnPick() {
        log.push_back(L"pick " + std::to_wstring(Control<ui::ComboBox>(1004)->Selection()));
    }
    void OnPress(ui::Point point) {
        log.push_back(L"press " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y));
    }
    bool mEnterDoesNothing;
};

class DialogTest : public ui::testing::UiTest {};

TEST_F(DialogTest, ControlsLandWhereTheirDialogUnitsSay) {
    TestDialog dialog;
    OnNextModal([](ModalWindow& window) {
        ui::Dialog& d = *window.Dialog();
        // Courier New 8 stands in as Liberation Mono at 11 pixels: 7 x 12 dialog base units.
        EXPECT_EQ(d.DialogUnitsToPixels({0, 0, 4, 8}), (ui::Rect{0, 0, 7, 12}));
        EXPECT_EQ(d.FindControl(1001)->PlacementRect(), ui::Rect::FromSize(100, 5, 140, 20));
        EXPECT_EQ(d.FindControl(1002)->PlacementRect(), ui::Rect::FromSize(18, 30, 105, 18));
        EXPECT_EQ(d.ClientRect(), (ui::Rect{0, 0, 350, 150}));
        // Centred on the work area above the taskbar.
        EXPECT_EQ(d.WindowRect().TopLeft(), (ui::Point{(1920 - 350) / 2, (1040 - 150) / 2}));
        window.End(5);
    });
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_EQ(dialog.log, std::vector<std::wstring>{L"destroy"});
    EXPECT_EQ(dialog.FindControl(1001), nullptr);
}

TEST_F(DialogTest, ModalDialogIsDrivenByControlId) {
    TestDialog dialog;
    OnNextModal([](ModalWindow& window) {
        window.Type(1002, L"abc");
        window.Click(1001);
        window.Activate(1003, 1);
        window.Select(1004, 1);
        EXPECT_EQ(window.ControlText(1002), L"abc");
        window.PressEscape();
    });
    EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
    EXPECT_EQ(dialog.log,
              (std::vector<std::wstring>{L"go abc", L"line 0002-B-Two", L"pick 1", L"destroy"}));
}

TEST_F(DialogTest, EnterEndsWithOneUnlessTheDialogOverridesIt) {
    TestDialog plain;
    OnNextModal([](ModalWindow& window) { window.PressEnter(); });
    EXPECT_EQ(plain.DoModal(), ui::kIdOk);

    TestDialog overridden(true);
    OnNextModal([](ModalWindow& window) {
        window.PressEnter();
        EXPECT_TRUE(window.IsOpen());
        window.PressEscape();
    });
    EXPECT_EQ(overridden.DoModal(), ui::kIdCancel);
}

TEST_F(DialogTest, ReadErrorIsShownWithAStopIconAndTheWindowStays) {
    TestDialog dialog;
    OnNextModal([](ModalWindow& window) {
        window.Click(1005);  // the box below is answered while this click runs
        EXPECT_TRUE(window.IsOpen());
        window.Click(1001);
        window.End(1);
    });
    OnNextModal([](ModalWindow& box) {
        EXPECT_EQ(box.Text(), L"[SQLite] near \"O\": syntax error");
        EXPECT_EQ(box.Icon(), ui::kIconStop);
        box.Answer(ui::kIdOk);
    });
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(dialog.log, (std::vector<std::wstring>{L"fail", L"go ", L"destroy"}));
}

TEST_F(DialogTest, WorkerThreadsPlaceAndMessageTheWindowOnTheUiThread) {
    TestDialog dialog;
    OnNextModal([&dialog](ModalWindow& window) {
        std::thread worker([&dialog] {
            dialog.Move(10, 20);
            dialog.FindControl(1001)->Hide();
            dialog.PostLeftButtonDown({7, 9});
            dialog.PostClose();
        });
        worker.join();
        EXPECT_TRUE(window.WaitUntilEnded(2000));
        EXPECT_EQ(dialog.WindowRect().TopLeft(), (ui::Point{10, 20}));
        EXPECT_FALSE(dialog.FindControl(1001)->IsVisible());
    });
    EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
    EXPECT_EQ(dialog.log, (std::vector<std::wstring>{L"press 7,9", L"destroy"}));
}

TEST_F(DialogTest, VirtualScreenHasATaskbar) {
    EXPECT_EQ(ui::ScreenSize(), (ui::Size{1920, 1080}));
    EXPECT_EQ(ui::TaskbarHeight(), 40);
    EXPECT_EQ(ui::WorkArea(), (ui::Rect{0, 0, 1920, 1040}));
}

}  // namespace
