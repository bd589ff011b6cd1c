// The widgets behind buttons, combo boxes, track bars and list views, which paint as the
// controls do and report their messages to the dialog. UI thread.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

namespace ui::detail {

// A push button: owner-drawn (the dialog paints it), showing a bitmap, or standard.
class ButtonWidget final : public QPushButton {
  public:
    ButtonWidget(Dialog& dialog, Button& button, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // A flat text button: the face in the button colour, a one-pixel frame, centred text.
    void PaintFlat(QPainter& painter);
    Dialog& mDialog;
    Button& mButton;
};

// A combo box. Its template height covers the field and the dropped-down list together: the
// field keeps the one-line height of its font whatever it is placed at, and the list shows as
// many items as fit in the rest.
class ComboBoxWidget final : public QComboBox {
  public:
    ComboBoxWidget(Dialog& dialog, const ControlTemplate& control, int templateHeight,
                   QWidget* parent);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void FitHeight();
    int mTemplateHeight;
};

// A track bar that reports its scroll actions and the end of every move.
class TrackBarWidget final : public QSlider {
  public:
    TrackBarWidget(Dialog& dialog, int id, QWidget* parent);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void Report(int code);
    Dialog& mDialog;
    int mId;
};

// A group box as the platform draws it: a thin frame without fill whose top line runs through
// the middle of the title, so that the controls it frames sit well inside it.
class GroupBoxWidget final : public QGroupBox {
  public:
    GroupBoxWidget(const QString& title, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// An icon-view list with its image list.
class ListViewWidget final : public QListWidget {
  public:
    explicit ListViewWidget(QWidget* parent);
    std::vector<QIcon> images;
};

}  // namespace ui::detail
