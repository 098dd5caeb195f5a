#include "SCNoScalesFinger.h"

#include "fretboard/BZFretboard.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

SCNoScalesFinger::SCNoScalesFinger(BZFretboard& fretboard) : BZFinger(fretboard) {
    setTitle(QString::fromLatin1(kTitle));
}

QFont SCNoScalesFinger::titleFont() {
    QFont font;
    font.setPixelSize(kFontSize);
    font.setBold(true);
    return font;
}

void SCNoScalesFinger::updateFrame() {
    const double textWidth = QFontMetricsF(titleFont()).horizontalAdvance(title());
    resize(static_cast<int>(std::ceil(textWidth)) + kPadding, kHeight);
    BZFretboard* neck = fretboard();
    if (!neck) {
        return;
    }
    // The middle of the neck's visible part, in the coordinates of the content fingers lie on.
    const QPointF middle = neck->contentOffset() + QPointF(neck->width(), neck->height()) / 2.0;
    QPointF centre(std::round(middle.x()), std::round(middle.y()));
    centre += neck->isHorizontal() ? QPointF(0.0, -kNudge) : QPointF(kNudge, 0.0);
    move(static_cast<int>(std::lround(centre.x() - width() / 2.0)),
         static_cast<int>(std::lround(centre.y() - height() / 2.0)));
}

void SCNoScalesFinger::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    applyAlpha(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double r = bounds.height() / 2.0;
    QPainterPath capsule;
    capsule.addRoundedRect(bounds, r, r);
    painter.fillPath(capsule, QColor(0, 0, 0, 179)); // black at 0.7
    painter.setFont(titleFont());
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, title());
}
