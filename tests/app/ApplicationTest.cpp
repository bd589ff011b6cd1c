// The application object: one start-up that runs the main window modally and returns false,
// and the exit.
#include <gtest/gtest.h>

#include "app/CTamrelApp.h"
#include "app/OperationRoomIds.h"
#include "platform/ui/testing/UiTesting.h"
#include "tests/support/TestProgramFolder.h"

namespace {

using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

class ApplicationTest : public ui::testing::UiTest {};

TEST_F(ApplicationTest, StartUpRunsTheMainWindowUntilExitAndAsksForNoMessageLoop) {
    testsupport::TestProgramFolder folder;
    CTamrelApp application;
    ui::Window* mainWindow = nullptr;
    OnNextModal([](ModalWindow& cover) { EXPECT_TRUE(cover.WaitUntilEnded(5000)); });
    OnNextModal([&](ModalWindow& window) {
        mainWindow = application.MainWindow();
        EXPECT_EQ(mainWindow, window.Dialog());
        window.Click(operationroom::kExit);
        EXPECT_TRUE(window.WaitUntilEnded(5000));
    });
    EXPECT_FALSE(application.InitInstance());
    EXPECT_NE(mainWindow, nullptr);
    EXPECT_EQ(application.MainWindow(), nullptr);
    EXPECT_EQ(application.ExitInstance(), 0);
}

}  // namespace
