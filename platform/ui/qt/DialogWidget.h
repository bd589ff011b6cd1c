// The QDialog of a ui::Dialog: paints the background and the dialog's paint handler, and turns
// mouse presses, Enter, Escape and the system close into the dialog's messages.
#pragma once

#include <QDialog>

#include "platform/ui/Dialog.h"

namespace ui::detail {

class DialogWidget final : public QDialog {
  public:
    DialogWidget(Dialog& dialog, QWidget* parent, Qt::WindowFlags flags);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void accept() override;
    void reject() override;

  private:
    Dialog& mDialog;
};

}  // namespace ui::detail
