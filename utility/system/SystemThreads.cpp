// Detached threads, and hiding or showing a window without waiting for it.
#include <thread>

#include "utility/system/System.h"

void UTILITY_StartThread(UTILITY_ThreadRoutine routine, void* parameter) {
    std::thread([routine, parameter] { routine(parameter); }).detach();
}

void UTILITY_HideWindowInThread(ui::Window* window) {
    if (window) {
        window->Hide();
    }
}

void UTILITY_ShowWindowInThread(ui::Window* window) {
    if (window) {
        window->Show();
    }
}
