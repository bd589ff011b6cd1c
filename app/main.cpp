// The program's entry: the one application object, run by the window layer.
#include "app/CTamrelApp.h"
#include "platform/sys/HeapReuse.h"

namespace {
CTamrelApp theApp;
}  // namespace

int main(int argc, char** argv) {
    sys::KeepFreedHeapForReuse();
    return ui::RunApplication(theApp, argc, argv);
}
