// The standard message box on QMessageBox.
#include "platform/ui/qt/QtMessageBoxPresenter.h"

#include <QMessageBox>

#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/ModalHook.h"
#include "platform/ui/qt/WindowState.h"

namespace ui::detail {
namespace {

QMessageBox::Icon IconFor(uint32_t style) {
    switch (style & 0xF0) {
        case kIconStop:
            return QMessageBox::Critical;
        case kIconQuestion:
            return QMessageBox::Question;
        case kIconWarning:
            return QMessageBox::Warning;
        case kIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtMessageBoxPresenter::Show(Window* owner, const std::wstring& text,
                                const std::wstring& caption, uint32_t style) {
    const bool yesNo = (style & 0x0F) == kYesNo;
    QMessageBox box(IconFor(style), ToQString(caption), ToQString(text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    TopLevelWidgetOf(owner));
    NotifyModalStart({&box, nullptr});
    switch (box.exec()) {
        case QMessageBox::Yes:
            return kIdYes;
        case QMessageBox::No:
            return kIdNo;
        default:
            return yesNo ? kIdNo : kIdOk;
    }
}

QtMessageBoxPresenter& StandardPresenter() {
    static QtMessageBoxPresenter presenter;
    return presenter;
}

}  // namespace ui::detail
