// Driving windows headless in tests. StartUi() starts the windowing system once per test
// program on Qt's offscreen platform with a virtual 1920 x 1080 screen and a 40-pixel taskbar.
// Modal windows (the program's dialogs, standard message boxes, the open-file dialog) are
// driven by actions queued before they start:
//
//     ui::testing::OnNextModal([](ui::testing::ModalWindow& dialog) { dialog.Click(1054); });
//     ui::testing::OnNextModal([](ui::testing::ModalWindow& box) {
//         EXPECT_EQ(box.Text(), L"File Path Invalid!");
//         box.Answer(ui::kIdOk);
//     });
//     browser.DoModal();
//
// Each action runs once its window is shown and must end it (a click that ends it, Answer,
// End, or WaitUntilEnded for windows that end themselves). A modal window that starts with no
// action queued, or that an action leaves open, fails the test and is cancelled.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"

namespace ui::testing {

inline constexpr int kScreenWidth = 1920;
inline constexpr int kScreenHeight = 1080;
inline constexpr int kTaskbarHeight = 40;

// Starts the windowing system (once) and sets the virtual screen.
void StartUi();

class ModalWindow {
  public:
    struct Data;
    explicit ModalWindow(Data& data) : mData(data) {}

    // The program's dialog, or null for a standard box or the file dialog.
    ui::Dialog* Dialog() const;
    std::wstring Caption() const;
    // The outer rectangle in screen coordinates.
    Rect WindowRect() const;
    ui::Bitmap Grab() const;

    // Standard message box: its text, its icon (kIconStop, ..., 0 for none), and the answer.
    std::wstring Text() const;
    uint32_t Icon() const;
    void Answer(int button);

    // The program's dialog, controls by id.
    void Click(int id);
    void DoubleClick(int id);
    void Type(int id, const std::wstring& text);
    // Selects line or item `index` of a list box, combo box (as the operator picks it) or list
    // view.
    void Select(int id, int index);
    // Double-clicks a list-box line or activates a list-view item.
    void Activate(int id, int index);
    std::wstring ControlText(int id) const;
    void PressEscape();
    void PressEnter();
    void End(int result);

    // The file dialog: chooses `path` as if typed and confirmed.
    void ChooseFile(const std::wstring& path);
    // Cancels a standard box or the file dialog.
    void Cancel();

    // Pumps events until the window has ended, for at most `milliseconds`; true if it ended.
    bool WaitUntilEnded(int milliseconds);
    bool IsOpen() const;

  private:
    Data& mData;
};

using ModalAction = std::function<void(ModalWindow&)>;

// Queues `action` for the next modal window that starts.
void OnNextModal(ModalAction action);
// The number of queued actions not yet used.
int PendingModalActions();

// Processes pending events, then keeps doing so for `milliseconds`.
void PumpEvents(int milliseconds = 0);
// The window as it is drawn now.
ui::Bitmap Grab(const ui::Window& window);

// A test with the windowing system started; fails when queued actions were left unused.
class UiTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { StartUi(); }
    void TearDown() override;
};

}  // namespace ui::testing
