#include "DFProgressView.h"

#include "ui/View.h"
#include "ui/ViewAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr int kSpokes = 12;

} // namespace

DFProgressView::DFProgressView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // One turn a second, in twelve steps, as long as the panel is shown.
    spin_.setStartValue(0);
    spin_.setEndValue(kSpokes);
    spin_.setDuration(1000);
    spin_.setLoopCount(-1);
    connect(&spin_, &QVariantAnimation::valueChanged, this, [this] { update(); });
}

void DFProgressView::setText(const QString& text) {
    text_ = text;
    update();
}

void DFProgressView::reset(const QRect& frame) {
    home_ = frame;
    hiding_ = false;
    // Takes over a fade still running, so that it cannot hide the panel again at its end.
    ViewAnimation(QStringLiteral("DFProgressView.reset"))
        .duration(0)
        .alpha(this, 1.0)
        .frame(this, frame)
        .commit();
    show();
    raise();
    spin_.start();
}

void DFProgressView::hideAnimated() {
    if (hiding_ || isHidden()) {
        return;
    }
    hiding_ = true;
    const QRect frame = geometry();
    const QSize grown = frame.size() * 1.5;
    QRect target(QPoint(), grown);
    target.moveCenter(frame.center());
    ViewAnimation(QStringLiteral("DFProgressView.hide"))
        .duration(kHideDuration)
        .alpha(this, 0.0)
        .frame(this, target)
        .didStop([this](const QString&, bool finished) {
            if (finished) {
                hide();
            }
        })
        .commit();
}

void DFProgressView::hideNow() {
    hiding_ = true;
    hide();
}

void DFProgressView::hideEvent(QHideEvent*) {
    spin_.stop();
}

void DFProgressView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(rect()), 11, 11);
    painter.fillPath(panel, QColor(0, 0, 0, 128));

    // The spinner: twelve spokes, the leading one brightest, fading behind it.
    const QPointF centre(width() / 2.0, height() / 2.0 - (text_.isEmpty() ? 0 : 9));
    const int lead = spin_.currentValue().toInt() % kSpokes;
    for (int i = 0; i < kSpokes; ++i) {
        const double angle = i * 2.0 * M_PI / kSpokes;
        const int age = (lead - i + kSpokes) % kSpokes;
        painter.setPen(
            QPen(QColor(255, 255, 255, 255 - age * 17), 3.0, Qt::SolidLine, Qt::RoundCap));
        const QPointF direction(std::sin(angle), -std::cos(angle));
        painter.drawLine(centre + direction * 9.0, centre + direction * 17.0);
    }
    if (!text_.isEmpty()) {
        QFont font;
        font.setPixelSize(13);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0xf3, 0xe6, 0xcf));
        painter.drawText(QRectF(0, centre.y() + 22, width(), 20), Qt::AlignHCenter | Qt::AlignTop,
                         text_);
    }
}
