#include "CHChordNameView.h"

#include "CHStepButton.h"
#include "ui/ScreenImage.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kButtonInset = 6;

} // namespace

CHChordNameView::CHChordNameView(QWidget* parent) : QAbstractButton(parent) {
    resize(320, kHeight);
    setFocusPolicy(Qt::NoFocus);
    const QRect plate = plateRect();
    const int buttonY = plate.center().y() - CHStepButton::kSize / 2 + 1;
    previous_ = new CHStepButton(CHStepButton::Direction::Previous, this);
    previous_->move(plate.left() + kButtonInset, buttonY);
    next_ = new CHStepButton(CHStepButton::Direction::Next, this);
    next_->move(plate.right() + 1 - kButtonInset - CHStepButton::kSize, buttonY);
}

void CHChordNameView::setName(const QString& name) {
    setText(name);
    update();
}

QRect CHChordNameView::nameRect() const {
    const QRect plate = plateRect();
    const int side = kButtonInset + CHStepButton::kSize + 4;
    return plate.adjusted(side, 4, -side, -10);
}

QFont CHChordNameView::nameFont() const {
    QFont font;
    font.setBold(true);
    for (int size = kNameFontSize; size >= kSmallestNameFontSize; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(text()) <= nameRect().width()) {
            break;
        }
    }
    return font;
}

bool CHChordNameView::hitButton(const QPoint& position) const {
    return plateRect().contains(position);
}

void CHChordNameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(plateRect().topLeft(),
                       ScreenImage::load(QStringLiteral("CHMainController_namePanel")));
    const QRect box = nameRect().translated(0, isDown() ? 1 : 0);
    painter.setFont(nameFont());
    // Engraved: a dark shadow under the cream letters.
    painter.setPen(QColor(0, 0, 0, 180));
    painter.drawText(box.translated(0, 1), Qt::AlignCenter, text());
    painter.setPen(QColor(0xf6, 0xea, 0xcc));
    painter.drawText(box, Qt::AlignCenter, text());
    // A small chevron under the name: the plate opens the picker.
    const QPointF tip(box.center().x() + 0.5, plateRect().bottom() - 5.0);
    QPainterPath chevron;
    chevron.moveTo(tip + QPointF(-5, -4));
    chevron.lineTo(tip);
    chevron.lineTo(tip + QPointF(5, -4));
    painter.setPen(
        QPen(QColor(0xd8, 0xa8, 0x5c, 200), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(chevron);
}
