// Making a control from its template: the control object, its widget wired to the dialog's
// messages, and the colours the dialog's colour handler asks for. UI thread.
#pragma once

#include <QRect>
#include <QWidget>
#include <memory>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

namespace ui::detail {

// Makes the control of `control` as a child of `parent` at `pixels`.
std::unique_ptr<Control> CreateControl(Dialog& dialog, const ControlTemplate& control,
                                       const QRect& pixels, QWidget* parent);

// Applies the colours the dialog's colour handler asks for to `control`.
void ApplyControlColor(Dialog& dialog, Control& control);

}  // namespace ui::detail
