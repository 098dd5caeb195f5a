#include "TNNeedleView.h"

#include "TNNeedle.h"
#include "TNNeedleShadow.h"
#include "ui/ScreenImage.h"

#include <QPainter>
#include <cmath>

namespace {

constexpr QPointF kLetterCentre{150.0, 208.0};
constexpr QPointF kLeftArrowCentre{78.0, 208.0};
constexpr QPointF kRightArrowCentre{222.0, 208.0};
// The shadow falls a little below and to the right of the needle.
constexpr QPointF kShadowOffset{1.5, 2.0};

void drawCentred(QPainter& painter, QPointF centre, const QPixmap& image) {
    const QSizeF size = image.deviceIndependentSize();
    painter.drawPixmap(QPointF(centre.x() - size.width() / 2.0, centre.y() - size.height() / 2.0),
                       image);
}

} // namespace

TNNeedleView::TNNeedleView(fretkit::TimerScheduler& scheduler, QWidget* parent)
    : TNDisplayView(scheduler, TNNeedleMotion::kTickInterval, QStringLiteral("TNNeedle_"), parent),
      needleShadow_(new TNNeedleShadow(kNeedleLength, this)),
      needle_(new TNNeedle(kNeedleLength, this)) {
    needleShadow_->setPivot(kPivot + kShadowOffset);
    needle_->setPivot(kPivot);
    turnNeedle();
}

void TNNeedleView::input(const std::optional<TNNote>& note) {
    motion_.input(note);
    showGlyph(note);
    update();
}

void TNNeedleView::refresh() {
    motion_.refresh();
    turnNeedle();
}

void TNNeedleView::turnNeedle() {
    const double radians = static_cast<double>(motion_.deflection()) * M_PI / 180.0;
    needle_->setRotation(radians);
    needleShadow_->setRotation(radians);
}

QString TNNeedleView::leftArrowImage() const {
    return motion_.leftArrowOn() ? QStringLiteral("TNNeedle_left_arrow_on")
                                 : QStringLiteral("TNNeedle_left_arrow_off");
}

QString TNNeedleView::rightArrowImage() const {
    return motion_.rightArrowOn() ? QStringLiteral("TNNeedle_right_arrow_on")
                                  : QStringLiteral("TNNeedle_right_arrow_off");
}

void TNNeedleView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QPointF(0, 0), ScreenImage::load(QStringLiteral("TNNeedle_dial")));
    drawCentred(painter, kLeftArrowCentre, ScreenImage::load(leftArrowImage()));
    drawCentred(painter, kRightArrowCentre, ScreenImage::load(rightArrowImage()));
    drawGlyph(painter, kLetterCentre);
}
