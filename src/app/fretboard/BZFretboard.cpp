#include "BZFretboard.h"

#include "BZFinger.h"
#include "BZFretboardContent.h"
#include "BZFretboardDelegate.h"
#include "ui/ViewAnimation.h"

#include <QVariantAnimation>
#include <QWheelEvent>

using fretkit::FretboardGeometry;

namespace {

QRect contentFrame(bool horizontal) {
    const int longSide = static_cast<int>(FretboardGeometry::kMaximumLength);
    const int shortSide = static_cast<int>(FretboardGeometry::kShortSide);
    return horizontal ? QRect(0, 0, longSide, shortSide) : QRect(0, 0, shortSide, longSide);
}

} // namespace

BZFretboard::BZFretboard(const QRect& frame, QWidget* parent) : View(parent) {
    setGeometry(frame);
    content_ = new BZFretboardContent(contentFrame(isHorizontal()), this, this);
    updateContentSize();
}

BZFretboard::~BZFretboard() {
    // Fingers that a screen still holds leave the neck instead of dying with it.
    removeAllFingers();
    if (scrollAnimation_) {
        delete scrollAnimation_.data();
    }
}

float BZFretboard::fretWidth() const {
    return content_->fretWidth();
}

void BZFretboard::setFretWidth(float width) {
    content_->setFretWidth(width);
    updateContentSize();
}

float BZFretboard::nutOffset() const {
    return content_->nutOffset();
}

void BZFretboard::setNutOffset(float offset) {
    content_->setNutOffset(offset);
    // The scrollable length follows, so that a neck set up in any order scrolls to its end.
    updateContentSize();
}

bool BZFretboard::leftHanded() const {
    return content_->leftHanded();
}

void BZFretboard::setLeftHanded(bool leftHanded) {
    content_->setLeftHanded(leftHanded);
    if (isHorizontal()) {
        scrollToFret(0);
    }
}

void BZFretboard::updateContentSize() {
    const double length = content_->length();
    contentSize_ = isHorizontal() ? QSizeF(length, FretboardGeometry::kShortSide)
                                  : QSizeF(FretboardGeometry::kShortSide, length);
}

// Fingers.

void BZFretboard::addFinger(std::shared_ptr<BZFinger> finger) {
    if (!finger) {
        return;
    }
    finger->setParent(content_);
    finger->show();
    fingers_.push_back(std::move(finger));
}

void BZFretboard::removeAllFingers() {
    std::vector<std::shared_ptr<BZFinger>> removed;
    removed.swap(fingers_);
    for (const auto& finger : removed) {
        if (finger->parentWidget() == content_) {
            finger->hide();
            finger->setParent(nullptr);
        }
    }
    // Finger views put on the content some other way belong to it: they go for good.
    for (BZFinger* other : content_->findChildren<BZFinger*>(Qt::FindDirectChildrenOnly)) {
        other->hide();
        other->deleteLater();
    }
}

// Geometry.

float BZFretboard::positionOfFinger(unsigned fret) const {
    return content_->positionOfFinger(fret);
}

float BZFretboard::positionOfFret(unsigned fret) const {
    return content_->positionOfFret(fret);
}

float BZFretboard::positionOfString(unsigned index) const {
    const auto& strings = content_->strings();
    return index < strings.size() ? strings[index]->position() : 0.0f;
}

void BZFretboard::setMuted(bool muted, unsigned stringAtIndex) {
    const auto& strings = content_->strings();
    if (stringAtIndex >= strings.size() || strings[stringAtIndex]->muted() == muted) {
        return;
    }
    strings[stringAtIndex]->setMuted(muted);
    content_->redrawNeck();
}

// Scrolling.

void BZFretboard::scrollToFret(unsigned fret) {
    const auto offset = content_->geometry().scrollOffsetForFret(
        fret, static_cast<float>(contentSize_.width()), static_cast<float>(contentSize_.height()),
        static_cast<float>(width()), static_cast<float>(height()));
    setContentOffset(QPointF(offset.x, offset.y), true);
}

void BZFretboard::setContentOffset(QPointF offset, bool animated) {
    if (scrollAnimation_) {
        scrollAnimation_->stop();
        delete scrollAnimation_.data();
    }
    if (!animated || offset == contentOffset_) {
        applyContentOffset(offset);
        return;
    }
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(contentOffset_);
    animation->setEndValue(offset);
    animation->setDuration(static_cast<int>(kScrollDuration * 1000.0));
    animation->setEasingCurve(ViewAnimation::easingCurve(ViewAnimation::Curve::EaseInOut));
    connect(animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { applyContentOffset(value.toPointF()); });
    scrollAnimation_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

bool BZFretboard::isScrollAnimating() const {
    return scrollAnimation_ && scrollAnimation_->state() == QAbstractAnimation::Running;
}

void BZFretboard::applyContentOffset(QPointF offset) {
    contentOffset_ = offset;
    content_->move(-offset.toPoint());
}

QPointF BZFretboard::clampedOffset(QPointF offset) const {
    const double maxX = std::max(0.0, contentSize_.width() - width());
    const double maxY = std::max(0.0, contentSize_.height() - height());
    return {std::clamp(offset.x(), 0.0, maxX), std::clamp(offset.y(), 0.0, maxY)};
}

void BZFretboard::wheelEvent(QWheelEvent* event) {
    if (!scrollEnabled_) {
        event->ignore();
        return;
    }
    // Either wheel moves the neck along its length; a touchpad gives points, a wheel notches.
    const QPoint pixels = event->pixelDelta();
    const QPoint angle = event->angleDelta();
    const double delta =
        !pixels.isNull() ? pixels.x() + pixels.y() : (angle.x() + angle.y()) / 120.0 * kWheelStep;
    const QPointF along = isHorizontal() ? QPointF(-delta, 0.0) : QPointF(0.0, -delta);
    setContentOffset(clampedOffset(contentOffset_ + along), false);
    event->accept();
}

// Touches.

Touch BZFretboard::toContent(const Touch& touch, const QWidget& source) const {
    // Through the top of the widget tree both share, so that a turned page maps right too.
    const QWidget* top = source.window();
    auto map = [&](QPointF point) { return content_->mapFrom(top, source.mapTo(top, point)); };
    return {map(touch.location), map(touch.previousLocation), touch.timestamp};
}

void BZFretboard::touchesBegan(const Touch& touch, const QWidget& source) {
    content_->touchesBegan(toContent(touch, source));
}

void BZFretboard::touchesMoved(const Touch& touch, const QWidget& source) {
    content_->touchesMoved(toContent(touch, source));
}

void BZFretboard::touchesEnded(const Touch& touch, const QWidget& source) {
    content_->touchesEnded(toContent(touch, source));
}

void BZFretboard::touchesCancelled(const Touch& touch, const QWidget& source) {
    content_->touchesCancelled(toContent(touch, source));
}

void BZFretboard::touchesBegan(const Touch& touch) {
    touchesBegan(touch, *this);
}

void BZFretboard::touchesMoved(const Touch& touch) {
    touchesMoved(touch, *this);
}

void BZFretboard::touchesEnded(const Touch& touch) {
    touchesEnded(touch, *this);
}

void BZFretboard::touchesCancelled(const Touch& touch) {
    touchesCancelled(touch, *this);
}

// Shakes.

bool BZFretboard::motionBegan(Motion) {
    return true;
}

bool BZFretboard::motionEnded(Motion motion) {
    if (motion == Motion::Shake) {
        if (auto* shake = dynamic_cast<BZFretboardDidShake*>(delegate_)) {
            shake->fretboardDidShake(*this);
        }
    }
    return true;
}

bool BZFretboard::motionCancelled(Motion) {
    return true;
}
