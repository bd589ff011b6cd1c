// ui::Dialog: building the window from its template, the modal run and its end.
#include "platform/ui/Dialog.h"

#include <QFontMetrics>
#include <QPointer>
#include <vector>

#include "platform/ui/Screen.h"
#include "platform/ui/qt/ControlFactory.h"
#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/DialogWidget.h"
#include "platform/ui/qt/Dispatch.h"
#include "platform/ui/qt/ModalHook.h"
#include "platform/ui/qt/WindowState.h"

namespace ui {

struct Dialog::Runtime {
    QPointer<detail::DialogWidget> widget;
    std::vector<std::unique_ptr<ui::Control>> controls;  // in creation order
    // Dialog base units of the template font: average character width and height.
    int baseX = 0;
    int baseY = 0;
    bool ended = false;
    int result = 0;
};

namespace {

int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>((product + (product >= 0 ? denominator : -denominator) / 2) /
                            denominator);
}

Qt::WindowFlags FlagsFor(uint32_t style) {
    Qt::WindowFlags flags = Qt::Dialog;
    if (!(style & kDialogCaption)) {
        return flags | Qt::FramelessWindowHint;
    }
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style & kDialogSystemMenu) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    return flags;
}

}  // namespace

Dialog::Dialog(int templateId, Window* parent)
    : Window(0), mTemplateId(templateId), mParent(parent), mRuntime(std::make_unique<Runtime>()) {}

Dialog::~Dialog() = default;

Window* Dialog::FindControl(int id) const {
    for (const auto& control : mRuntime->controls) {
        if (control->Id() == id) {
            return control.get();
        }
    }
    return nullptr;
}

Rect Dialog::DialogUnitsToPixels(const Rect& units) const {
    return {MulDiv(units.left, mRuntime->baseX, 4), MulDiv(units.top, mRuntime->baseY, 8),
            MulDiv(units.right, mRuntime->baseX, 4), MulDiv(units.bottom, mRuntime->baseY, 8)};
}

void Dialog::SetBackgroundColor(Color color) {
    mBackground = color;
    Invalidate();
}

Window* Dialog::AddControl(const ControlTemplate& control, const Rect& rect) {
    if (!mRuntime->widget) {
        return nullptr;
    }
    mRuntime->controls.push_back(
        detail::CreateControl(*this, control, ToQRect(rect), mRuntime->widget));
    return mRuntime->controls.back().get();
}

void Dialog::EndDialog(int result) {
    mRuntime->ended = true;
    mRuntime->result = result;
    if (mRuntime->widget) {
        mRuntime->widget->done(result);
    }
}

int Dialog::DoModal() {
    const DialogTemplate* dialogTemplate = FindDialogTemplate(mTemplateId);
    if (!dialogTemplate || mRuntime->widget) {
        return -1;
    }
    Runtime& runtime = *mRuntime;
    runtime.ended = false;
    runtime.result = 0;

    auto* widget = new detail::DialogWidget(*this, detail::TopLevelWidgetOf(mParent),
                                            FlagsFor(dialogTemplate->style));
    runtime.widget = widget;
    State().Attach(widget);
    widget->setWindowTitle(ToQString(dialogTemplate->caption));
    widget->setFont(ToQFont({dialogTemplate->fontName, dialogTemplate->fontPoints * 10, false}));

    const QFontMetrics metrics(widget->font());
    runtime.baseX =
        (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrst"
                                                  "uvwxyz")) /
             26 +
         1) /
        2;
    runtime.baseY = metrics.height();

    const Rect size = DialogUnitsToPixels({0, 0, dialogTemplate->width, dialogTemplate->height});
    const Rect work = WorkArea();
    widget->setGeometry((work.Width() - size.Width()) / 2 + work.left,
                        (work.Height() - size.Height()) / 2 + work.top, size.Width(),
                        size.Height());

    for (const ControlTemplate& control : dialogTemplate->controls) {
        // Position and size convert separately, as the platform's dialog manager does it.
        const Rect origin = DialogUnitsToPixels({control.x, control.y, 0, 0});
        const Rect size = DialogUnitsToPixels({0, 0, control.width, control.height});
        const Rect pixels = Rect::FromSize(origin.left, origin.top, size.right, size.bottom);
        runtime.controls.push_back(detail::CreateControl(*this, control, ToQRect(pixels), widget));
    }

    DialogDispatch::InitDialog(*this);
    for (const auto& control : runtime.controls) {
        detail::ApplyControlColor(*this, *control);
    }
    if (!runtime.ended) {
        detail::NotifyModalStart({widget, this});
        const int result = widget->exec();
        if (!runtime.ended) {
            runtime.result = result;
        }
    }
    DialogDispatch::Destroy(*this);

    for (const auto& control : runtime.controls) {
        control->State().Detach();
    }
    State().Detach();
    delete widget;
    runtime.controls.clear();
    return runtime.result;
}

}  // namespace ui
