// Making controls from their templates and the widgets that report their messages.
#include "platform/ui/qt/ControlWidgets.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>

#include "platform/ui/qt/BitmapData.h"
#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/Dispatch.h"
#include "platform/ui/qt/VideoHost.h"
#include "platform/ui/qt/DrawContextData.h"
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
    list->setVerticalScrollBarPolicy((control.style & kStyleVScroll) ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAsNeeded);
    const int id = control.id;
    QObject::connect(list, &QListWidget::itemDoubleClicked, [&dialog, id] {
        DialogDispatch::Command(dialog, kCommandListDoubleClick, id, 0);
    });
    return list;
}

QWidget* MakeComboBox(Dialog& dialog, const ControlTemplate& control, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(!(control.style & kStyleDropDownList));
    combo->setInsertPolicy(QComboBox::NoInsert);
    const int id = control.id;
    QObject::connect(combo, &QComboBox::activated, [&dialog, id] {
        DialogDispatch::Command(dialog, kCommandSelectionChange, id, 0);
    });
    return combo;
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

QWidget* MakeGroupBox(const ControlTemplate& control, QWidget* parent) {
    auto* group = new QGroupBox(ToQString(control.caption), parent);
    group->setAttribute(Qt::WA_TransparentForMouseEvents);
    return group;
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
                    QWidget* parent) {
    switch (control.kind) {
        case ControlKind::Button:
            return new ButtonWidget(dialog, static_cast<Button&>(object), parent);
        case ControlKind::Edit:
            return MakeEdit(dialog, control, parent);
        case ControlKind::ListBox:
            return MakeListBox(dialog, control, parent);
        case ControlKind::ComboBox:
            return MakeComboBox(dialog, control, parent);
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
            return MakeGroupBox(control, parent);
    }
    return nullptr;
}

}  // namespace

ButtonWidget::ButtonWidget(Dialog& dialog, Button& button, QWidget* parent)
    : QPushButton(parent), mDialog(dialog), mButton(button) {
    setAutoDefault(false);
    setFlat(button.Style() & kStyleFlat);
    const int id = button.Id();
    connect(this, &QPushButton::clicked,
            [&dialog, id] { DialogDispatch::Command(dialog, kCommandClick, id, 0); });
}

void ButtonWidget::paintEvent(QPaintEvent* event) {
    if (mButton.Style() & kStyleOwnerDraw) {
        QPainter painter(this);
        DrawContext dc = MakeWidgetContext(painter, *this);
        DrawItem item{mButton.Id(), dc, Rect{0, 0, width(), height()}, isDown()};
        DialogDispatch::OwnerDraw(mDialog, item);
        return;
    }
    const Bitmap& bitmap = mButton.CurrentBitmap();
    if (bitmap.IsNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    const QImage& image = bitmap.Internal().image;
    painter.drawImage(QPoint((width() - image.width()) / 2, (height() - image.height()) / 2),
                      image);
}

void ButtonWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    QPushButton::mouseDoubleClickEvent(event);
    if (mButton.Style() & kStyleNotify) {
        DialogDispatch::Command(mDialog, kCommandDoubleClick, mButton.Id(), 0);
    }
}

TrackBarWidget::TrackBarWidget(Dialog& dialog, int id, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), mDialog(dialog), mId(id) {
    connect(this, &QSlider::actionTriggered, [this](int action) {
        // Indexed by QAbstractSlider::SliderAction.
        static const int kCodes[] = {-1,           kTrackLineDown, kTrackLineUp, kTrackPageDown,
                                     kTrackPageUp, kTrackTop,      kTrackBottom, kTrackThumbTrack};
        if (action > 0 && action < static_cast<int>(std::size(kCodes))) {
            DialogDispatch::HorizontalScroll(mDialog, mId, kCodes[action], sliderPosition());
        }
    });
}

void TrackBarWidget::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    Report(kTrackEndTrack);
}

void TrackBarWidget::keyReleaseEvent(QKeyEvent* event) {
    QSlider::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) {
        Report(kTrackEndTrack);
    }
}

void TrackBarWidget::Report(int code) {
    DialogDispatch::HorizontalScroll(mDialog, mId, code, value());
}

ListViewWidget::ListViewWidget(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSpacing(6);
}

std::unique_ptr<Control> CreateControl(Dialog& dialog, const ControlTemplate& control,
                                       const QRect& pixels, QWidget* parent) {
    std::unique_ptr<Control> object = MakeControlObject(control);
    QWidget* widget = MakeWidget(dialog, *object, control, parent);
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
