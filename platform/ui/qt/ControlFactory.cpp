// Making a control from its template: the control object, its widget wired to the dialog's
// messages, and the colours the dialog's colour handler asks for.
#include "platform/ui/qt/ControlFactory.h"

#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/ui/qt/ControlWidgets.h"
#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/Dispatch.h"
#include "platform/ui/qt/VideoHost.h"
#include "platform/ui/qt/WidgetText.h"
#include "platform/ui/qt/WindowState.h"

namespace ui::detail {
namespace {

// Hands Enter in a multi-line edit that does not take it to the dialog, as in a line edit.
class ReturnToDialog final : public QObject {
  public:
    ReturnToDialog(Dialog& dialog, QObject* parent) : QObject(parent), mDialog(dialog) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                DialogDispatch::Ok(mDialog);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    Dialog& mDialog;
};

QWidget* MakeEdit(Dialog& dialog, const ControlTemplate& control, QWidget* parent) {
    if (control.style & kStyleMultiline) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setLineWrapMode((control.style & kStyleAutoHScroll) ? QPlainTextEdit::NoWrap
                                                                  : QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy((control.style & kStyleVScroll) ? Qt::ScrollBarAsNeeded
                                                                         : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (!(control.style & kStyleWantReturn)) {
            edit->installEventFilter(new ReturnToDialog(dialog, edit));
        }
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    if (control.style & kStyleCenter) {
        edit->setAlignment(Qt::AlignCenter);
    }
    return edit;
}

QWidget* MakeListBox(Dialog& dialog, const ControlTemplate& control, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(control.style & kStyleSort);
    // The vertical scroll bar shows when the lines do not fit; without the style there is none.
    list->setVerticalScrollBarPolicy((control.style & kStyleVScroll) ? Qt::ScrollBarAsNeeded
                                                                     : Qt::ScrollBarAlwaysOff);
    const int id = control.id;
    QObject::connect(list, &QListWidget::itemDoubleClicked, [&dialog, id] {
        DialogDispatch::Command(dialog, kCommandListDoubleClick, id, 0);
    });
    return list;
}

QWidget* MakeDatePicker(QWidget* parent) {
    auto* picker = new QDateTimeEdit(parent);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("M/d/yyyy"));
    return picker;
}

QWidget* MakeListView(Dialog& dialog, const ControlTemplate& control, QWidget* parent) {
    auto* view = new ListViewWidget(parent);
    const int id = control.id;
    QObject::connect(view, &QListWidget::itemActivated, [&dialog, id, view](QListWidgetItem* item) {
        DialogDispatch::Command(dialog, kCommandItemActivate, id, view->row(item));
    });
    return view;
}

QWidget* MakeStaticText(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(ToQString(control.caption), parent);
    if (control.style & kStyleCenter) {
        label->setAlignment(Qt::AlignCenter);
    }
    return label;
}

std::unique_ptr<Control> MakeControlObject(const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::Button:
            return std::make_unique<Button>(control.id, control.style);
        case ControlKind::Edit:
            return std::make_unique<Edit>(control.id, control.style);
        case ControlKind::ListBox:
            return std::make_unique<ListBoxControl>(control.id, control.style);
        case ControlKind::ComboBox:
            return std::make_unique<ComboBox>(control.id, control.style);
        case ControlKind::DatePicker:
            return std::make_unique<DatePicker>(control.id, control.style);
        case ControlKind::ListView:
            return std::make_unique<ListView>(control.id, control.style);
        case ControlKind::TrackBar:
            return std::make_unique<TrackBar>(control.id, control.style);
        case ControlKind::StaticText:
            return std::make_unique<StaticText>(control.id, control.style);
        case ControlKind::StaticHost:
            return std::make_unique<StaticHost>(control.id, control.style);
        case ControlKind::GroupBox:
            return std::make_unique<GroupBox>(control.id, control.style);
    }
    return nullptr;
}

QWidget* MakeWidget(Dialog& dialog, Control& object, const ControlTemplate& control,
                    const QRect& pixels, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::Button:
            return new ButtonWidget(dialog, static_cast<Button&>(object), parent);
        case ControlKind::Edit:
            return MakeEdit(dialog, control, parent);
        case ControlKind::ListBox:
            return MakeListBox(dialog, control, parent);
        case ControlKind::ComboBox:
            return new ComboBoxWidget(dialog, control, pixels.height(), parent);
        case ControlKind::DatePicker:
            return MakeDatePicker(parent);
        case ControlKind::ListView:
            return MakeListView(dialog, control, parent);
        case ControlKind::TrackBar:
            return new TrackBarWidget(dialog, control.id, parent);
        case ControlKind::StaticText:
            return MakeStaticText(control, parent);
        case ControlKind::StaticHost:
            return new VideoHostWidget(parent);
        case ControlKind::GroupBox:
            return new GroupBoxWidget(ToQString(control.caption), parent);
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<Control> CreateControl(Dialog& dialog, const ControlTemplate& control,
                                       const QRect& pixels, QWidget* parent) {
    std::unique_ptr<Control> object = MakeControlObject(control);
    QWidget* widget = MakeWidget(dialog, *object, control, pixels, parent);
    widget->setGeometry(pixels);
    if (!control.caption.empty() && control.kind != ControlKind::StaticText &&
        control.kind != ControlKind::GroupBox) {
        SetWidgetText(*widget, control.caption);
    }
    widget->setEnabled(!(control.style & kStyleDisabled));
    widget->setVisible(!(control.style & kStyleHidden));
    if (control.kind == ControlKind::GroupBox) {
        widget->lower();
    }
    object->State().Attach(widget);
    return object;
}

void ApplyControlColor(Dialog& dialog, Control& control) {
    QWidget* widget = control.State().widget;
    if (!widget) {
        return;
    }
    ControlColor request{control.Id(), control.Kind(), std::nullopt, std::nullopt};
    DialogDispatch::ControlColor(dialog, request);
    if (!request.text && !request.background) {
        return;
    }
    QPalette palette = widget->palette();
    if (request.text) {
        for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
            palette.setColor(role, ToQColor(*request.text));
        }
    }
    if (request.background) {
        for (auto role : {QPalette::Base, QPalette::Window, QPalette::Button}) {
            palette.setColor(role, ToQColor(*request.background));
        }
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

}  // namespace ui::detail
