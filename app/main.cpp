// The program's entry: the one application object, run by the window layer.
#include "app/CTamrelApp.h"

namespace {
CTamrelApp theApp;
}  // namespace

int main(int argc, char** argv) {
    return ui::RunApplication(theApp, argc, argv);
}
