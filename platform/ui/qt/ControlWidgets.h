// The Qt widgets behind the controls, and the factory that makes a control from its template.
#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <memory>
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
    Dialog& mDialog;
    Button& mButton;
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

// An icon-view list with its image list.
class ListViewWidget final : public QListWidget {
  public:
    explicit ListViewWidget(QWidget* parent);
    std::vector<QIcon> images;
};

// Makes the control of `control` as a child of `parent` at `pixels`.
std::unique_ptr<Control> CreateControl(Dialog& dialog, const ControlTemplate& control,
                                       const QRect& pixels, QWidget* parent);

// Applies the colours the dialog's colour handler asks for to `control`.
void ApplyControlColor(Dialog& dialog, Control& control);

}  // namespace ui::detail
