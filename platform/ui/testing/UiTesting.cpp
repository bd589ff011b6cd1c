// The headless test harness: offscreen start-up, the queue of modal actions and what they do.
#include "platform/ui/testing/UiTesting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <cstdlib>
#include <deque>

#include "platform/ui/Screen.h"
#include "platform/ui/qt/BitmapData.h"
#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/ModalHook.h"
#include "platform/ui/qt/QtMessageBoxPresenter.h"
#include "platform/ui/qt/WindowState.h"

// The system's font configuration keeps a cache for the life of the process; the leak checker
// of sanitizer builds is told so.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace ui::testing {

struct ModalWindow::Data {
    QPointer<QWidget> widget;
    ui::Dialog* dialog = nullptr;
};

namespace {

std::deque<ModalAction>& Actions() {
    static std::deque<ModalAction> actions;
    return actions;
}

// The offscreen platform's configuration: one screen of the virtual size, no window frames.
QByteArray OffscreenConfiguration() {
    const QString path = QDir::temp().filePath(
        QStringLiteral("sorvanti-offscreen-%1.json").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QStringLiteral("{\"windowFrameMargins\": false, \"screens\": [{\"name\": "
                                  "\"Virtual\", \"x\": 0, \"y\": 0, \"width\": %1, \"height\": "
                                  "%2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                       .arg(kScreenWidth)
                       .arg(kScreenHeight)
                       .toUtf8());
    }
    return path.toUtf8();
}

void EndUnscripted(QWidget* widget, ui::Dialog* dialog) {
    if (dialog) {
        dialog->EndDialog(kIdCancel);
    } else if (auto* qdialog = qobject_cast<QDialog*>(widget)) {
        qdialog->reject();
    }
}

void OnModalStart(const detail::ModalStart& start) {
    QPointer<QWidget> widget = start.widget;
    ui::Dialog* dialog = start.dialog;
    if (Actions().empty()) {
        ADD_FAILURE() << "a modal window started without a queued action: \""
                      << widget->windowTitle().toStdString() << "\"";
        QTimer::singleShot(0, widget, [widget, dialog] { EndUnscripted(widget, dialog); });
        return;
    }
    ModalAction action = std::move(Actions().front());
    Actions().pop_front();
    QTimer::singleShot(0, widget, [widget, dialog, action = std::move(action)] {
        ModalWindow::Data data{widget, dialog};
        ModalWindow modal(data);
        action(modal);
        if (modal.IsOpen()) {
            ADD_FAILURE() << "the action left the modal window open: \""
                          << widget->windowTitle().toStdString() << "\"";
            EndUnscripted(widget, dialog);
        }
    });
}

template <class W>
W* Find(const ModalWindow::Data& data, int id) {
    if (!data.dialog) {
        return nullptr;
    }
    ui::Window* control = data.dialog->FindControl(id);
    W* widget = control ? qobject_cast<W*>(control->State().widget.data()) : nullptr;
    EXPECT_NE(widget, nullptr) << "no control " << id << " of that kind";
    return widget;
}

void SendKey(QWidget* widget, int key) {
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != widget) {
        target = widget;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

}  // namespace

void StartUi() {
    if (!qApp) {
        if (!std::getenv("QT_QPA_PLATFORM")) {
            const QByteArray platform = "offscreen:configfile=" + OffscreenConfiguration();
            setenv("QT_QPA_PLATFORM", platform.constData(), 1);
        }
        static int argc = 1;
        static char name[] = "sorvanti-test";
        static char* argv[] = {name, nullptr};
        // Kept for the whole test program; Qt cannot be started twice in one process.
        new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        SetMessageBoxPresenter(&detail::StandardPresenter());
        detail::SetModalHook(OnModalStart);
    }
    ui::testing::SetVirtualScreen(kScreenWidth, kScreenHeight, kTaskbarHeight);
}

ui::Dialog* ModalWindow::Dialog() const {
    return mData.dialog;
}

std::wstring ModalWindow::Caption() const {
    return mData.widget ? FromQString(mData.widget->windowTitle()) : std::wstring();
}

Rect ModalWindow::WindowRect() const {
    return mData.widget ? FromQRect(mData.widget->frameGeometry()) : Rect{};
}

ui::Bitmap ModalWindow::Grab() const {
    return mData.widget ? BitmapFromQImage(mData.widget->grab().toImage()) : ui::Bitmap();
}

std::wstring ModalWindow::Text() const {
    auto* box = qobject_cast<QMessageBox*>(mData.widget.data());
    return box ? FromQString(box->text()) : std::wstring();
}

uint32_t ModalWindow::Icon() const {
    auto* box = qobject_cast<QMessageBox*>(mData.widget.data());
    switch (box ? box->icon() : QMessageBox::NoIcon) {
        case QMessageBox::Critical:
            return kIconStop;
        case QMessageBox::Question:
            return kIconQuestion;
        case QMessageBox::Warning:
            return kIconWarning;
        case QMessageBox::Information:
            return kIconInformation;
        default:
            return 0;
    }
}

void ModalWindow::Answer(int button) {
    auto* box = qobject_cast<QMessageBox*>(mData.widget.data());
    ASSERT_NE(box, nullptr) << "not a standard message box";
    const QMessageBox::StandardButton standard = button == kIdYes  ? QMessageBox::Yes
                                                 : button == kIdNo ? QMessageBox::No
                                                                   : QMessageBox::Ok;
    QAbstractButton* target = box->button(standard);
    ASSERT_NE(target, nullptr) << "the box has no button " << button;
    target->click();
}

void ModalWindow::Click(int id) {
    if (auto* button = Find<QAbstractButton>(mData, id)) {
        button->click();
    }
}

void ModalWindow::DoubleClick(int id) {
    if (auto* button = Find<QAbstractButton>(mData, id)) {
        const QPointF centre = QRectF(button->rect()).center();
        QMouseEvent press(QEvent::MouseButtonDblClick, centre, button->mapToGlobal(centre),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &press);
    }
}

void ModalWindow::Type(int id, const std::wstring& text) {
    ui::Window* control = mData.dialog ? mData.dialog->FindControl(id) : nullptr;
    QWidget* widget = control ? control->State().widget.data() : nullptr;
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(ToQString(text));
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        plain->setPlainText(ToQString(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setEditText(ToQString(text));
    } else {
        ADD_FAILURE() << "control " << id << " takes no typing";
    }
}

void ModalWindow::Select(int id, int index) {
    ui::Window* control = mData.dialog ? mData.dialog->FindControl(id) : nullptr;
    QWidget* widget = control ? control->State().widget.data() : nullptr;
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->setCurrentRow(index);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    } else {
        ADD_FAILURE() << "control " << id << " has no items";
    }
}

void ModalWindow::Activate(int id, int index) {
    if (auto* list = Find<QListWidget>(mData, id)) {
        list->setCurrentRow(index);
        QListWidgetItem* item = list->item(index);
        ASSERT_NE(item, nullptr) << "no item " << index;
        if (list->viewMode() == QListView::IconMode) {
            emit list->itemActivated(item);
        } else {
            emit list->itemDoubleClicked(item);
        }
    }
}

std::wstring ModalWindow::ControlText(int id) const {
    ui::Window* control = mData.dialog ? mData.dialog->FindControl(id) : nullptr;
    return control ? control->Text() : std::wstring();
}

void ModalWindow::PressEscape() {
    if (mData.widget) {
        SendKey(mData.widget, Qt::Key_Escape);
    }
}

void ModalWindow::PressEnter() {
    if (mData.widget) {
        SendKey(mData.widget, Qt::Key_Return);
    }
}

void ModalWindow::End(int result) {
    if (mData.dialog) {
        mData.dialog->EndDialog(result);
    } else if (auto* dialog = qobject_cast<QDialog*>(mData.widget.data())) {
        dialog->done(result);
    }
}

void ModalWindow::ChooseFile(const std::wstring& path) {
    auto* dialog = qobject_cast<QFileDialog*>(mData.widget.data());
    ASSERT_NE(dialog, nullptr) << "not a file dialog";
    dialog->selectFile(ToQString(path));
    QMetaObject::invokeMethod(dialog, "accept");
}

void ModalWindow::Cancel() {
    if (auto* dialog = qobject_cast<QDialog*>(mData.widget.data())) {
        dialog->reject();
    }
}

bool ModalWindow::IsOpen() const {
    return mData.widget && mData.widget->isVisible();
}

namespace {

// Handles events as they come while `condition` holds, for at most `milliseconds`. Sleeps
// between events (a 10 ms tick bounds each wait) instead of spinning, so a waiting test costs
// no processor time and measurements made meanwhile see only the program's own work.
template <class Condition>
void ProcessEventsWhile(Condition condition, int milliseconds) {
    QTimer tick;
    tick.start(10);
    QElapsedTimer elapsed;
    elapsed.start();
    while (condition() && elapsed.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace

bool ModalWindow::WaitUntilEnded(int milliseconds) {
    ProcessEventsWhile([this] { return IsOpen(); }, milliseconds);
    return !IsOpen();
}

void OnNextModal(ModalAction action) {
    Actions().push_back(std::move(action));
}

int PendingModalActions() {
    return static_cast<int>(Actions().size());
}

void PumpEvents(int milliseconds) {
    QCoreApplication::processEvents();
    ProcessEventsWhile([] { return true; }, milliseconds);
    QCoreApplication::processEvents();
}

ui::Bitmap Grab(const ui::Window& window) {
    QWidget* widget = window.State().widget;
    return widget ? BitmapFromQImage(widget->grab().toImage()) : ui::Bitmap();
}

void UiTest::TearDown() {
    EXPECT_EQ(PendingModalActions(), 0) << "queued modal actions were not used";
    Actions().clear();
}

}  // namespace ui::testing
