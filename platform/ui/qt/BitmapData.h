// The QImage behind a ui::Bitmap, for the Qt side of the window layer.
#pragma once

#include <QImage>

#include "platform/ui/Bitmap.h"

namespace ui {

struct Bitmap::Data {
    QImage image;
    // The picture as 24-bit blue-green-red rows, made when first asked for.
    mutable QImage rows24;
};

// A bitmap holding `image` (null image: the null bitmap).
Bitmap BitmapFromQImage(QImage image);

}  // namespace ui
