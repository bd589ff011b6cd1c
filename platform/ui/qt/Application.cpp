// The application object and the process's one start-up and exit.
#include "platform/ui/Application.h"

#include <QApplication>

#include "platform/ui/qt/QtMessageBoxPresenter.h"

namespace ui {
namespace {

Application* gCurrent = nullptr;

}  // namespace

Application::Application() {
    gCurrent = this;
}

Application::~Application() {
    if (gCurrent == this) {
        gCurrent = nullptr;
    }
}

Application* Application::Current() {
    return gCurrent;
}

int RunApplication(Application& application, int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    MessageBoxPresenter* previous = SetMessageBoxPresenter(&detail::StandardPresenter());
    if (application.InitInstance()) {
        // A start-up that asks for it gets a message loop until its last window closes.
        QApplication::setQuitOnLastWindowClosed(true);
        QApplication::exec();
    }
    const int exitCode = application.ExitInstance();
    SetMessageBoxPresenter(previous);
    return exitCode;
}

}  // namespace ui
