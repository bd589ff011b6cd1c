// Tying a ui::Window to its widget, and the relay that carries work posted from any thread to
// the UI thread.
#include "platform/ui/qt/WindowState.h"

#include <QCoreApplication>

namespace ui::detail {
namespace {

constexpr char kWindowProperty[] = "sorvanti.window";

const QEvent::Type kRunEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class RunEvent final : public QEvent {
  public:
    explicit RunEvent(std::function<void()> action)
        : QEvent(kRunEvent), mAction(std::move(action)) {}
    void Run() { mAction(); }

  private:
    std::function<void()> mAction;
};

}  // namespace

bool Relay::event(QEvent* event) {
    if (event->type() != kRunEvent) {
        return QObject::event(event);
    }
    static_cast<RunEvent*>(event)->Run();
    return true;
}

void WindowState::Attach(QWidget* newWidget) {
    widget = newWidget;
    widget->setProperty(kWindowProperty, QVariant::fromValue(static_cast<void*>(window)));
    std::lock_guard lock(relayMutex);
    relay = new Relay(newWidget);
}

void WindowState::Detach() {
    {
        std::lock_guard lock(relayMutex);
        relay = nullptr;
    }
    if (widget) {
        widget->setProperty(kWindowProperty, QVariant());
    }
    widget = nullptr;
}

void WindowState::Run(std::function<void()> action, bool direct) {
    if (direct && IsUiThread()) {
        if (widget) {
            action();
        }
        return;
    }
    std::lock_guard lock(relayMutex);
    if (relay) {
        QCoreApplication::postEvent(relay, new RunEvent(std::move(action)));
    }
}

Window* WindowOf(const QWidget* widget) {
    return widget ? static_cast<Window*>(widget->property(kWindowProperty).value<void*>())
                  : nullptr;
}

QWidget* TopLevelWidgetOf(const Window* window) {
    QWidget* widget = window ? window->State().widget.data() : nullptr;
    return widget ? widget->window() : nullptr;
}

}  // namespace ui::detail
