#include "TNDisplayImages.h"

#include "tuner/TNNoteGlyph.h"
#include "ui/ScreenImage.h"

#include <QPainter>

void TNDisplayImages::glyphImages(const QString& prefix, const std::optional<TNNote>& note,
                                  QString* letter, bool* sharp) {
    const std::optional<TNNoteGlyph> glyph = TNNoteGlyph::forNote(note);
    *letter = glyph ? prefix + QString::fromStdString(glyph->letter) : QString();
    *sharp = glyph && glyph->sharp;
}

void TNDisplayImages::drawGlyph(QPainter& painter, QPointF centre, const QString& letter,
                                const QString& sharpImage, bool sharp) {
    if (letter.isEmpty()) {
        return;
    }
    const QPixmap image = ScreenImage::load(letter);
    const QPixmap sign = sharp ? ScreenImage::load(sharpImage) : QPixmap();
    const QSizeF size = image.deviceIndependentSize();
    // The letter and its sign are centred together.
    const double shift = sign.deviceIndependentSize().width() / 2.0;
    const QRectF box(centre.x() - shift - size.width() / 2.0, centre.y() - size.height() / 2.0,
                     size.width(), size.height());
    painter.drawPixmap(box.topLeft(), image);
    if (!sign.isNull()) {
        painter.drawPixmap(QPointF(box.right(), box.top()), sign);
    }
}
