// The primary screen from Qt, or the virtual screen a test set.
#include "platform/ui/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <optional>

namespace ui {
namespace {

struct VirtualScreen {
    Size size;
    int taskbarHeight = 0;
};

std::optional<VirtualScreen>& Virtual() {
    static std::optional<VirtualScreen> screen;
    return screen;
}

}  // namespace

Size ScreenSize() {
    if (Virtual()) {
        return Virtual()->size;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? Size{screen->geometry().width(), screen->geometry().height()} : Size{};
}

int TaskbarHeight() {
    if (Virtual()) {
        return Virtual()->taskbarHeight;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() - screen->availableGeometry().height() : 0;
}

Rect WorkArea() {
    const Size size = ScreenSize();
    return {0, 0, size.width, size.height - TaskbarHeight()};
}

namespace testing {

void SetVirtualScreen(int width, int height, int taskbarHeight) {
    Virtual() = VirtualScreen{{width, height}, taskbarHeight};
}

void ResetVirtualScreen() {
    Virtual().reset();
}

}  // namespace testing
}  // namespace ui
