// ui::Window over a QWidget: placement marshalled to the UI thread, geometry, posted messages.
#include "platform/ui/Window.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/Dispatch.h"
#include "platform/ui/qt/WidgetText.h"
#include "platform/ui/qt/WindowState.h"

namespace ui {

Window::Window(int id) : mId(id), mState(std::make_unique<detail::WindowState>()) {
    mState->window = this;
}

Window::~Window() = default;

bool Window::IsCreated() const {
    return mState->widget != nullptr;
}

void Window::Move(int x, int y) {
    mState->Run([this, x, y] { mState->widget->move(x, y); });
}

void Window::SetSize(int width, int height) {
    mState->Run([this, width, height] { mState->widget->resize(width, height); });
}

void Window::SetPlacement(const Rect& rect) {
    mState->Run([this, rect] { mState->widget->setGeometry(ToQRect(rect)); });
}

void Window::Show() {
    mState->Run([this] { mState->widget->show(); });
}

void Window::Hide() {
    mState->Run([this] { mState->widget->hide(); });
}

bool Window::IsVisible() const {
    return mState->widget && mState->widget->isVisible();
}

void Window::Enable(bool enabled) {
    if (mState->widget) {
        mState->widget->setEnabled(enabled);
    }
}

bool Window::IsEnabled() const {
    return mState->widget && mState->widget->isEnabled();
}

void Window::SetText(const std::wstring& text) {
    if (mState->widget) {
        detail::SetWidgetText(*mState->widget, text);
    }
}

std::wstring Window::Text() const {
    return mState->widget ? detail::WidgetText(*mState->widget) : std::wstring();
}

void Window::SetFont(const Font& font) {
    if (mState->widget) {
        mState->widget->setFont(ToQFont(font));
    }
}

Rect Window::WindowRect() const {
    if (!mState->widget) {
        return {};
    }
    const QWidget& widget = *mState->widget;
    QRect frame = widget.isWindow() ? widget.frameGeometry() : widget.geometry();
    if (!widget.isWindow()) {
        frame.moveTopLeft(widget.parentWidget()->mapToGlobal(frame.topLeft()));
    }
    return FromQRect(frame);
}

Rect Window::ClientRect() const {
    return mState->widget ? FromQRect(QRect(QPoint(0, 0), mState->widget->size())) : Rect{};
}

Rect Window::PlacementRect() const {
    if (!mState->widget) {
        return {};
    }
    const QWidget& widget = *mState->widget;
    return FromQRect(widget.isWindow() ? widget.frameGeometry() : widget.geometry());
}

Point Window::ScreenToClient(Point point) const {
    if (!mState->widget) {
        return point;
    }
    QPoint local = mState->widget->mapFromGlobal(QPoint(point.x, point.y));
    return {local.x(), local.y()};
}

Point Window::ClientToScreen(Point point) const {
    if (!mState->widget) {
        return point;
    }
    QPoint global = mState->widget->mapToGlobal(QPoint(point.x, point.y));
    return {global.x(), global.y()};
}

void Window::Invalidate() {
    mState->Run([this] { mState->widget->update(); });
}

void Window::Update() {
    if (mState->widget) {
        mState->widget->repaint();
    }
}

void Window::SetOpacity(uint8_t alpha) {
    if (mState->widget) {
        mState->widget->setWindowOpacity(alpha / 255.0);
    }
}

void Window::PostLeftButtonDown(Point client) {
    mState->Run([this, client] { detail::DeliverLeftButtonDown(*this, client); }, false);
}

void Window::PostCommand(int id) {
    mState->Run([this, id] { detail::DeliverCommand(*this, id); }, false);
}

void Window::PostClose() {
    mState->Run([this] { detail::DeliverClose(*this); }, false);
}

void Window::PostDeviceChange(uint32_t event) {
    mState->Run([this, event] { detail::DeliverDeviceChange(*this, event); }, false);
}

void Window::PostHotKey(int id) {
    mState->Run([this, id] { detail::DeliverHotKey(*this, id); }, false);
}

void Window::StartTimer(int milliseconds, std::function<void()> action) {
    mState->Run([this, milliseconds, action = std::move(action)] {
        QTimer::singleShot(milliseconds, mState->widget.data(),
                           [this, action] { detail::Guarded(this, action); });
    });
}

std::vector<TopLevelWindow> EnumerateTopLevelWindows() {
    std::vector<TopLevelWindow> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            windows.push_back({detail::WindowOf(widget), FromQString(widget->windowTitle())});
        }
    }
    return windows;
}

bool IsUiThread() {
    return qApp && QThread::currentThread() == qApp->thread();
}

}  // namespace ui
