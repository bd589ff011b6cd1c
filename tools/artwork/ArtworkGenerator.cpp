// Draws the program's pictures (button faces, bands, captions, the cover) and writes each as a
// 24-bit .bmp file named <id>.bmp into the folder given as the only argument. Run by the
// build; edit a picture here and it is redrawn. All pictures share the dark palette.
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>
#include <vector>

#include "resources/ResourceIds.h"

namespace {

const QColor kDark(66, 68, 79);
const QColor kDarker(46, 48, 57);
const QColor kLight(238, 238, 238);
const QColor kMuted(150, 154, 170);
const QColor kAccent(86, 156, 214);
const QColor kRed(220, 40, 40);

using Draw = std::function<void(QPainter&, const QRectF&)>;

struct Picture {
    int id;
    int width;
    int height;
    Draw draw;
};

QFont UiFont(int pixels, bool bold = true) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPen Stroke(const QColor& color, qreal width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A face button: a rounded panel with a symbol above a caption.
void Face(QPainter& p, const QRectF& r, const QString& caption, const Draw& symbol) {
    p.setPen(QPen(QColor(90, 93, 107), 1));
    p.setBrush(kDarker);
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 9, 9);
    const QRectF symbolArea(r.left() + 8, r.top() + 7, r.width() - 16, r.height() - 31);
    symbol(p, symbolArea);
    p.setPen(kLight);
    p.setFont(UiFont(11));
    p.drawText(QRectF(r.left(), r.bottom() - 22, r.width(), 16), Qt::AlignCenter, caption);
}

// A text button face (OK, YES, NO) for the light message boxes.
void TextButton(QPainter& p, const QRectF& r, const QString& caption, const QColor& fill) {
    p.fillRect(r, QColor(240, 240, 240));
    p.setPen(QPen(QColor(210, 212, 220), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
    p.setPen(Qt::white);
    p.setFont(UiFont(13));
    p.drawText(r, Qt::AlignCenter, caption);
}

void Caption(QPainter& p, const QRectF& r, const QString& text) {
    p.setPen(kLight);
    p.setFont(UiFont(17));
    p.drawText(r.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    p.setPen(Stroke(kAccent, 3));
    p.drawLine(QPointF(r.left() + 4, r.bottom() - 3), QPointF(r.left() + 34, r.bottom() - 3));
}

void Arrow(QPainter& p, const QRectF& r, bool right) {
    const qreal cy = r.center().y(), w = r.width() * 0.6, x0 = r.center().x() - w / 2;
    QPainterPath path;
    const qreal tip = right ? x0 + w : x0, tail = right ? x0 : x0 + w;
    const qreal head = right ? tip - r.height() * 0.4 : tip + r.height() * 0.4;
    path.moveTo(tail, cy);
    path.lineTo(tip, cy);
    path.moveTo(head, cy - r.height() * 0.35);
    path.lineTo(tip, cy);
    path.lineTo(head, cy + r.height() * 0.35);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(kLight, 5));
    p.drawPath(path);
}

void Envelope(QPainter& p, const QRectF& r) {
    const QRectF e = QRectF(0, 0, r.width() * 0.8, r.height() * 0.7);
    QRectF box = e;
    box.moveCenter(r.center());
    p.setPen(Stroke(kLight, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    p.drawPolyline(QPolygonF(
        {box.topLeft(), QPointF(box.center().x(), box.center().y() + 2), box.topRight()}));
}

void Bin(QPainter& p, const QRectF& r) {
    const qreal cx = r.center().x(), w = r.height() * 0.55;
    p.setPen(Stroke(kLight, 3));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(cx - w * 0.7, r.top() + 6), QPointF(cx + w * 0.7, r.top() + 6));
    p.drawLine(QPointF(cx - w * 0.2, r.top() + 2), QPointF(cx + w * 0.2, r.top() + 2));
    p.drawPolygon(QPolygonF(
        {QPointF(cx - w * 0.55, r.top() + 10), QPointF(cx + w * 0.55, r.top() + 10),
         QPointF(cx + w * 0.42, r.bottom() - 1), QPointF(cx - w * 0.42, r.bottom() - 1)}));
    for (qreal dx : {-w * 0.2, 0.0, w * 0.2}) {
        p.drawLine(QPointF(cx + dx, r.top() + 15), QPointF(cx + dx, r.bottom() - 6));
    }
}

void Frames(QPainter& p, const QRectF& r, int columns, int rows) {
    const qreal size = std::min(r.width(), r.height() * 1.4);
    QRectF area(0, 0, size, size / 1.4);
    area.moveCenter(r.center());
    p.setPen(Stroke(kLight, 3));
    p.setBrush(Qt::NoBrush);
    const qreal gap = 4, w = (area.width() - gap * (columns - 1)) / columns,
                h = (area.height() - gap * (rows - 1)) / rows;
    for (int c = 0; c < columns; ++c) {
        for (int row = 0; row < rows; ++row) {
            p.drawRect(QRectF(area.left() + c * (w + gap), area.top() + row * (h + gap), w, h));
        }
    }
}

void NotePencil(QPainter& p, const QRectF& r) {
    QRectF note(0, 0, r.height() * 0.7, r.height() * 0.9);
    note.moveCenter(r.center() - QPointF(4, 0));
    p.setPen(Stroke(kLight, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(note);
    for (int i = 1; i <= 3; ++i) {
        const qreal y = note.top() + note.height() * i / 4.5;
        p.drawLine(QPointF(note.left() + 5, y), QPointF(note.right() - 8, y));
    }
    p.setPen(Stroke(kAccent, 5));
    p.drawLine(note.bottomRight() + QPointF(6, -4), note.center() + QPointF(10, -14));
}

// The record form's field labels, right-aligned against the fields, each on the row of its
// field: one-line labels centred on a 20-pixel row, the two long ones on two lines from the
// row's top (their fields leave room below).
void FieldLabels(QPainter& p, const QRectF& r) {
    struct Label {
        const char* text;
        int top;  // pixels below the picture's top
    };
    static const Label kLabels[] = {{"Name", 13},
                                    {"Gender", 41},
                                    {"Blood type", 67},
                                    {"ID", 97},
                                    {"Address", 126},
                                    {"Medical record\nnumber", 174},
                                    {"First time\nvisit", 211}};
    QFont font = UiFont(12);
    font.setStretch(QFont::SemiCondensed);
    p.setFont(font);
    p.setPen(kLight);
    const qreal line = QFontMetricsF(font).lineSpacing();
    for (const Label& label : kLabels) {
        const QString text = QString::fromLatin1(label.text);
        const qreal top =
            text.contains(QLatin1Char('\n')) ? label.top : label.top + (20 - line) / 2;
        p.drawText(QRectF(r.left() + 2, top, r.width() - 6, 2 * line),
                   Qt::AlignRight | Qt::AlignTop, text);
    }
}

void Cover(QPainter& p, const QRectF& r) {
    p.fillRect(r, kDark);
    const QPointF lens(r.center().x(), r.top() + 190);
    p.setPen(Stroke(kLight, 6));
    p.setBrush(kDarker);
    p.drawRoundedRect(QRectF(lens.x() - 95, lens.y() - 65, 190, 130), 18, 18);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(lens, 45, 45);
    p.setPen(Stroke(kAccent, 6));
    p.drawEllipse(lens, 26, 26);
    p.setPen(kLight);
    p.setFont(UiFont(34));
    p.drawText(QRectF(r.left(), r.top() + 300, r.width(), 50), Qt::AlignCenter,
               QStringLiteral("Sorvanti"));
    p.setFont(UiFont(15, false));
    p.setPen(kMuted);
    p.drawText(QRectF(r.left(), r.top() + 352, r.width(), 24), Qt::AlignCenter,
               QStringLiteral("Patient records and clinical camera"));
    p.drawText(QRectF(r.left(), r.bottom() - 60, r.width(), 24), Qt::AlignCenter,
               QStringLiteral("Version 3.36"));
}

std::vector<Picture> Pictures() {
    auto face = [](const char* caption, Draw symbol) {
        return [caption, symbol](QPainter& p, const QRectF& r) {
            Face(p, r, QString::fromLatin1(caption), symbol);
        };
    };
    auto arrow = [](bool right) {
        return [right](QPainter& p, const QRectF& r) { Arrow(p, r, right); };
    };
    auto frames = [](int c, int rows) {
        return [c, rows](QPainter& p, const QRectF& r) { Frames(p, r, c, rows); };
    };
    auto caption = [](const char* text) {
        return [text](QPainter& p, const QRectF& r) { Caption(p, r, QString::fromLatin1(text)); };
    };
    auto ring = [](QPainter& p, const QRectF& r) {
        p.setPen(Stroke(Qt::white, 6));
        p.setBrush(Qt::NoBrush);
        const qreal radius = std::min(r.width(), r.height()) / 2 - 4;
        p.drawEllipse(r.center(), radius, radius);
    };
    auto dot = [](QPainter& p, const QRectF& r) {
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        const qreal radius = std::min(r.width(), r.height()) / 2 - 4;
        p.drawEllipse(r.center(), radius, radius);
    };
    auto cross = [](QPainter& p, const QRectF& r) {
        p.setPen(Stroke(kLight, 3));
        const QRectF c =
            r.adjusted(r.width() * 0.3, r.height() * 0.3, -r.width() * 0.3, -r.height() * 0.3);
        p.drawLine(c.topLeft(), c.bottomRight());
        p.drawLine(c.topRight(), c.bottomLeft());
    };
    auto plus = [](QPainter& p, const QRectF& r) {
        p.setPen(Stroke(kLight, 4));
        const qreal s = std::min(r.width(), r.height()) * 0.35;
        p.drawLine(r.center() - QPointF(s, 0), r.center() + QPointF(s, 0));
        p.drawLine(r.center() - QPointF(0, s), r.center() + QPointF(0, s));
    };
    auto disk = [](QPainter& p, const QRectF& r) {
        const qreal s = std::min(r.width(), r.height()) * 0.8;
        QRectF d(0, 0, s, s);
        d.moveCenter(r.center());
        p.setPen(Stroke(kLight, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(d);
        p.fillRect(QRectF(d.left() + s * 0.25, d.top() + 2, s * 0.5, s * 0.3), kLight);
    };
    auto magnifier = [](QPainter& p, const QRectF& r) {
        const qreal s = r.height() * 0.3;
        const QPointF c = r.center() - QPointF(s * 0.4, s * 0.4);
        p.setPen(Stroke(kLight, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, s, s);
        p.drawLine(c + QPointF(s * 0.7, s * 0.7), c + QPointF(s * 1.6, s * 1.6));
    };
    auto camera = [](QPainter& p, const QRectF& r) {
        QRectF body(0, 0, r.width() * 0.8, r.height() * 0.6);
        body.moveCenter(r.center());
        p.setPen(Stroke(kLight, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body, 5, 5);
        p.drawEllipse(body.center(), body.height() * 0.28, body.height() * 0.28);
    };
    auto gear = [](QPainter& p, const QRectF& r) {
        const qreal s = std::min(r.width(), r.height()) * 0.32;
        p.setPen(Stroke(kLight, 5));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(r.center());
            p.rotate(i * 45);
            p.drawLine(QPointF(0, s * 0.9), QPointF(0, s * 1.3));
            p.restore();
        }
        p.setPen(Stroke(kLight, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.center(), s, s);
        p.drawEllipse(r.center(), s * 0.35, s * 0.35);
    };
    auto smallText = [](const char* text) {
        return [text](QPainter& p, const QRectF& r) {
            p.setPen(kLight);
            p.setFont(UiFont(12));
            p.drawText(r, Qt::AlignCenter, QString::fromLatin1(text));
        };
    };
    return {
        {resources::kBitmapHeader, 135, 43,
         [](QPainter& p, const QRectF& r) {
             p.fillRect(r, kDark);
             p.setPen(kLight);
             p.setFont(UiFont(18));
             p.drawText(r.adjusted(12, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                        QStringLiteral("Sorvanti"));
         }},
        {resources::kBitmapClose, 37, 38, cross},
        {162, 79, 77, face("Exit", arrow(false))},
        {171, 86, 78,
         face("Browse",
              [](QPainter& p, const QRectF& r) {
                  p.setPen(Stroke(kLight, 3));
                  p.setBrush(kDarker);
                  const QRectF back(r.left() + 16, r.top() + 2, r.width() - 26, r.height() - 10);
                  p.drawRect(back);
                  p.drawRect(back.translated(-8, 8));
              })},
        {153, 75, 74, ring},
        {161, 80, 81, dot},
        {222, 83, 80, face("Single", frames(1, 1))},
        {223, 83, 80, face("Quad", frames(2, 2))},
        {166, 80, 77, face("Mail", Envelope)},
        {169, 80, 76, face("Comment", NotePencil)},
        {170, 80, 76, face("Delete", Bin)},
        {175, 71, 75, face("Detail", NotePencil)},
        {176, 71, 80, face("Next", arrow(true))},
        {177, 71, 78, face("Previous", arrow(false))},
        {178, 72, 82, face("Delete", Bin)},
        {179, 77, 77, face("Mail", Envelope)},
        {resources::kBitmapOk, 79, 29,
         [](QPainter& p, const QRectF& r) { TextButton(p, r, "OK", kAccent); }},
        // YES in the accent colour as OK is, NO in the program's dark colour: the questions
        // ask before deleting, where green for YES would read as the safe answer.
        {resources::kBitmapYes, 79, 29,
         [](QPainter& p, const QRectF& r) { TextButton(p, r, "YES", kAccent); }},
        {resources::kBitmapNo, 76, 27,
         [](QPainter& p, const QRectF& r) { TextButton(p, r, "NO", kDark); }},
        {resources::kBitmapCover, 287, 535, Cover},
        {resources::kBitmapSearch, 74, 27, magnifier},
        {resources::kBitmapCamera, 63, 55, camera},
        {resources::kBitmapSetup, 63, 55, gear},
        {resources::kBitmapAddCustomer, 77, 66,
         [plus](QPainter& p, const QRectF& r) {
             plus(p, r.adjusted(0, -10, 0, -10));
             p.setPen(kLight);
             p.setFont(UiFont(11));
             p.drawText(QRectF(r.left(), r.bottom() - 20, r.width(), 16), Qt::AlignCenter,
                        QStringLiteral("New"));
         }},
        {resources::kBitmapDeleteCustomer, 37, 32, Bin},
        {resources::kBitmapSaveCustomer, 37, 32, disk},
        {resources::kBitmapAddNote, 79, 23, smallText("Add note...")},
        {resources::kBitmapDeleteNote, 28, 26, Bin},
        {resources::kBitmapSaveNote, 28, 26, disk},
        {resources::kBitmapIdPhotoPlaceholder, 180, 234,
         [](QPainter& p, const QRectF& r) {
             p.setPen(QPen(kMuted, 2, Qt::DashLine));
             p.setBrush(kDarker);
             p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 8, 8);
             QRectF folder(0, 0, 70, 50);
             folder.moveCenter(r.center() - QPointF(0, 20));
             p.setPen(Stroke(kLight, 3));
             p.setBrush(Qt::NoBrush);
             p.drawRect(folder);
             p.drawLine(folder.topLeft() + QPointF(0, 8), folder.topLeft() + QPointF(26, 8));
             p.setFont(UiFont(13, false));
             p.drawText(QRectF(r.left(), folder.bottom() + 16, r.width(), 20), Qt::AlignCenter,
                        QStringLiteral("browse pictures..."));
         }},
        {resources::kBitmapFieldLabels, 95, 240, FieldLabels},
        {resources::kBitmapSearchFrame, 150, 32,
         [](QPainter& p, const QRectF& r) {
             p.setPen(QPen(kMuted, 2));
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 6, 6);
         }},
        {resources::kBitmapNoteCaption, 120, 24, caption("Note")},
        {resources::kBitmapPhotoCaption, 120, 24, caption("Photo")},
        {resources::kBitmapRecordCaption, 120, 24, caption("Record")},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const Picture& picture : Pictures()) {
        QImage image(picture.width, picture.height, QImage::Format_RGB888);
        image.fill(kDark);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        picture.draw(painter, QRectF(0, 0, picture.width, picture.height));
        painter.end();
        const QString path = folder.filePath(QStringLiteral("%1.bmp").arg(picture.id));
        if (!image.save(path, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
