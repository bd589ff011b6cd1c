// Start-up and exit of the application. The window layer provides the controls, the image
// codecs and the look of standard controls itself; the component model needs no start-up here
// but is started and ended through the utility library all the same. A fresh installation gets
// its registry file, which points the mail hand-off at the mail adapter.
#include "app/CTamrelApp.h"

#include "app/CDlgOperationRoom.h"
#include "review/mail/DefaultRegistryFile.h"
#include "utility/system/System.h"

bool CTamrelApp::InitInstance() {
    UTILITY_InitCom();
    mail::PlaceDefaultRegistryFile();
    {
        CDlgOperationRoom dialog(nullptr);
        SetMainWindow(&dialog);
        dialog.DoModal();
        SetMainWindow(nullptr);
    }
    return false;
}

int CTamrelApp::ExitInstance() {
    UTILITY_UninitCom();
    return ui::Application::ExitInstance();
}
