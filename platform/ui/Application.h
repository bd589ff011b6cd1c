// The application object: one start-up call and one exit call. RunApplication starts the
// windowing system, installs the standard message box, calls Startup (which runs the main
// window modally) and then Exit, whose result is the process exit code. No message loop runs
// after Startup returns.
#pragma once

#include "platform/ui/Window.h"

namespace ui {

class Application {
  public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    virtual bool InitInstance() = 0;
    virtual int ExitInstance() { return 0; }

    // The window that owns application-wide dialogs (the open-file dialog); may be null.
    void SetMainWindow(Window* window) { mMainWindow = window; }
    Window* MainWindow() const { return mMainWindow; }

    // The application object of this process, or null.
    static Application* Current();

  private:
    Window* mMainWindow = nullptr;
};

int RunApplication(Application& application, int argc, char** argv);

}  // namespace ui
