// The widgets behind buttons, combo boxes, track bars and list views, which paint as the
// controls do and report their messages to the dialog.
#include "platform/ui/qt/ControlWidgets.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "platform/ui/qt/BitmapData.h"
#include "platform/ui/qt/Dispatch.h"
#include "platform/ui/qt/DrawContextData.h"

namespace ui::detail {

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
        if (isFlat()) {
            QPainter painter(this);
            PaintFlat(painter);
        } else {
            QPushButton::paintEvent(event);
        }
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    const QImage& image = bitmap.Internal().image;
    painter.drawImage(QPoint((width() - image.width()) / 2, (height() - image.height()) / 2),
                      image);
}

void ButtonWidget::PaintFlat(QPainter& painter) {
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.fillRect(rect(), palette().color(group, isDown() ? QPalette::Mid : QPalette::Button));
    painter.setPen(palette().color(group, QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
    painter.setPen(palette().color(group, QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

void ButtonWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    QPushButton::mouseDoubleClickEvent(event);
    if (mButton.Style() & kStyleNotify) {
        DialogDispatch::Command(mDialog, kCommandDoubleClick, mButton.Id(), 0);
    }
}

ComboBoxWidget::ComboBoxWidget(Dialog& dialog, const ControlTemplate& control, int templateHeight,
                               QWidget* parent)
    : QComboBox(parent), mTemplateHeight(templateHeight) {
    setEditable(!(control.style & kStyleDropDownList));
    setInsertPolicy(QComboBox::NoInsert);
    const int id = control.id;
    connect(this, &QComboBox::activated,
            [&dialog, id] { DialogDispatch::Command(dialog, kCommandSelectionChange, id, 0); });
    FitHeight();
}

void ComboBoxWidget::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitHeight();
    }
}

void ComboBoxWidget::FitHeight() {
    const int field = sizeHint().height();
    setFixedHeight(field);
    const int line = std::max(1, fontMetrics().height() + 2);
    setMaxVisibleItems(std::max(1, (mTemplateHeight - field) / line));
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

GroupBoxWidget::GroupBoxWidget(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupBoxWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QString caption = title();
    QRect label;
    if (!caption.isEmpty()) {
        label = QRect(8, 0, metrics.horizontalAdvance(caption) + 4, metrics.height());
    }
    // The frame is interrupted where the title is written.
    painter.setClipRegion(QRegion(rect()).subtracted(label));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, metrics.height() / 2, -1, -1));
    painter.setClipping(false);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(label, Qt::AlignCenter | Qt::TextSingleLine, caption);
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

}  // namespace ui::detail
