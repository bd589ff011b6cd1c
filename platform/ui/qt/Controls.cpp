// The operations of the controls over their widgets.
#include "platform/ui/Controls.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "platform/ui/qt/BitmapData.h"
#include "platform/ui/qt/ControlWidgets.h"
#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/WindowState.h"

namespace ui {
namespace {

template <class W>
W* WidgetAs(const Window& window) {
    return dynamic_cast<W*>(window.State().widget.data());
}

}  // namespace

void Button::SetBitmap(const Bitmap& bitmap) {
    mBitmap = bitmap;
    if (QWidget* widget = State().widget) {
        widget->update();
    }
}

void Edit::SetLimitText(int characters) {
    if (auto* line = WidgetAs<QLineEdit>(*this)) {
        line->setMaxLength(characters > 0 ? characters : 32767);
    }
}

void ListBoxControl::Clear() {
    if (auto* list = WidgetAs<QListWidget>(*this)) {
        list->clear();
    }
}

void ListBoxControl::AddLine(const std::wstring& line) {
    if (auto* list = WidgetAs<QListWidget>(*this)) {
        list->addItem(ToQString(line));
    }
}

int ListBoxControl::Count() const {
    auto* list = WidgetAs<QListWidget>(*this);
    return list ? list->count() : 0;
}

std::wstring ListBoxControl::LineText(int index) const {
    auto* list = WidgetAs<QListWidget>(*this);
    QListWidgetItem* item = list ? list->item(index) : nullptr;
    return item ? FromQString(item->text()) : std::wstring();
}

int ListBoxControl::Selection() const {
    auto* list = WidgetAs<QListWidget>(*this);
    return list && list->currentItem() && list->currentItem()->isSelected() ? list->currentRow()
                                                                            : -1;
}

void ListBoxControl::SetSelection(int index) {
    if (auto* list = WidgetAs<QListWidget>(*this)) {
        list->setCurrentRow(index);
    }
}

void ComboBox::AddItem(const std::wstring& text) {
    if (auto* combo = WidgetAs<QComboBox>(*this)) {
        combo->addItem(ToQString(text));
    }
}

void ComboBox::Clear() {
    if (auto* combo = WidgetAs<QComboBox>(*this)) {
        combo->clear();
    }
}

int ComboBox::Count() const {
    auto* combo = WidgetAs<QComboBox>(*this);
    return combo ? combo->count() : 0;
}

std::wstring ComboBox::ItemText(int index) const {
    auto* combo = WidgetAs<QComboBox>(*this);
    return combo && index >= 0 && index < combo->count() ? FromQString(combo->itemText(index))
                                                         : std::wstring();
}

int ComboBox::Selection() const {
    auto* combo = WidgetAs<QComboBox>(*this);
    if (!combo) {
        return -1;
    }
    // A typed text selects the item it spells exactly; a text of no item selects nothing.
    if (combo->isEditable() && combo->currentText() != combo->itemText(combo->currentIndex())) {
        return combo->findText(combo->currentText());
    }
    return combo->currentIndex();
}

void ComboBox::SetSelection(int index) {
    if (auto* combo = WidgetAs<QComboBox>(*this)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

void DatePicker::SetDateTime(const DateTime& value) {
    if (auto* picker = WidgetAs<QDateTimeEdit>(*this)) {
        picker->setDateTime(QDateTime(QDate(value.year, value.month, value.day),
                                      QTime(value.hour, value.minute, value.second)));
    }
}

DateTime DatePicker::GetDateTime() const {
    auto* picker = WidgetAs<QDateTimeEdit>(*this);
    if (!picker) {
        return {};
    }
    const QDateTime value = picker->dateTime();
    return {value.date().year(), value.date().month(),  value.date().day(),
            value.time().hour(), value.time().minute(), value.time().second()};
}

void DatePicker::SetRange(const DateTime& earliest, const DateTime& latest) {
    if (auto* picker = WidgetAs<QDateTimeEdit>(*this)) {
        picker->setDateRange(QDate(earliest.year, earliest.month, earliest.day),
                             QDate(latest.year, latest.month, latest.day));
    }
}

void ListView::SetImageSize(int width, int height) {
    if (auto* view = WidgetAs<detail::ListViewWidget>(*this)) {
        view->setIconSize(QSize(width, height));
    }
}

int ListView::AddImage(const Bitmap& picture, Color transparent) {
    auto* view = WidgetAs<detail::ListViewWidget>(*this);
    if (!view) {
        return -1;
    }
    QPixmap pixmap = QPixmap::fromImage(picture.Internal().image);
    if (!pixmap.isNull()) {
        pixmap.setMask(pixmap.createMaskFromColor(ToQColor(transparent)));
    }
    view->images.push_back(QIcon(pixmap));
    return static_cast<int>(view->images.size()) - 1;
}

void ListView::RemoveAllImages() {
    if (auto* view = WidgetAs<detail::ListViewWidget>(*this)) {
        view->images.clear();
    }
}

int ListView::ImageCount() const {
    auto* view = WidgetAs<detail::ListViewWidget>(*this);
    return view ? static_cast<int>(view->images.size()) : 0;
}

void ListView::SetColors(Color background, Color textBackground, Color text) {
    auto* view = WidgetAs<detail::ListViewWidget>(*this);
    if (!view) {
        return;
    }
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, ToQColor(background));
    palette.setColor(QPalette::Window, ToQColor(textBackground));
    palette.setColor(QPalette::Text, ToQColor(text));
    // The selection stays visible when the view has no focus.
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    view->setPalette(palette);
}

int ListView::InsertItem(const std::wstring& caption, int image) {
    auto* view = WidgetAs<detail::ListViewWidget>(*this);
    if (!view) {
        return -1;
    }
    auto* item = new QListWidgetItem(ToQString(caption), view);
    if (image >= 0 && image < static_cast<int>(view->images.size())) {
        item->setIcon(view->images[image]);
    }
    return view->row(item);
}

void ListView::DeleteAllItems() {
    if (auto* view = WidgetAs<detail::ListViewWidget>(*this)) {
        view->clear();
    }
}

int ListView::Count() const {
    auto* view = WidgetAs<detail::ListViewWidget>(*this);
    return view ? view->count() : 0;
}

std::wstring ListView::ItemText(int index) const {
    auto* view = WidgetAs<detail::ListViewWidget>(*this);
    QListWidgetItem* item = view ? view->item(index) : nullptr;
    return item ? FromQString(item->text()) : std::wstring();
}

int ListView::Selection() const {
    auto* view = WidgetAs<detail::ListViewWidget>(*this);
    return view && view->currentItem() && view->currentItem()->isSelected() ? view->currentRow()
                                                                            : -1;
}

void ListView::SetSelection(int index) {
    if (auto* view = WidgetAs<detail::ListViewWidget>(*this)) {
        view->setCurrentRow(index);
    }
}

void ListView::SetRedraw(bool redraw) {
    if (auto* view = WidgetAs<detail::ListViewWidget>(*this)) {
        view->setUpdatesEnabled(redraw);
    }
}

void ListView::Scroll(int dx, int dy) {
    if (auto* view = WidgetAs<detail::ListViewWidget>(*this)) {
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + dx);
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + dy);
    }
}

void TrackBar::SetRange(int minimum, int maximum) {
    if (auto* slider = WidgetAs<QSlider>(*this)) {
        slider->setRange(minimum, maximum);
    }
}

void TrackBar::SetTickFrequency(int frequency) {
    if (auto* slider = WidgetAs<QSlider>(*this)) {
        slider->setTickInterval(frequency);
        slider->setSingleStep(frequency > 0 ? frequency : 1);
        slider->setTickPosition((Style() & kStyleNoTicks) ? QSlider::NoTicks : QSlider::TicksBelow);
    }
}

void TrackBar::SetPosition(int position) {
    if (auto* slider = WidgetAs<QSlider>(*this)) {
        slider->setValue(position);
    }
}

int TrackBar::Position() const {
    auto* slider = WidgetAs<QSlider>(*this);
    return slider ? slider->value() : 0;
}

int TrackBar::Minimum() const {
    auto* slider = WidgetAs<QSlider>(*this);
    return slider ? slider->minimum() : 0;
}

int TrackBar::Maximum() const {
    auto* slider = WidgetAs<QSlider>(*this);
    return slider ? slider->maximum() : 0;
}

}  // namespace ui
