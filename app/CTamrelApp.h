// The application object: its start-up prepares the process-wide services, runs the main
// window modally and returns false, so that no message loop follows; its exit shuts the
// services down again. Exactly one exists per process (main.cpp).
#pragma once

#include "platform/ui/Application.h"

class CTamrelApp : public ui::Application {
  public:
    bool InitInstance() override;
    int ExitInstance() override;
};
