#include "CHContentView.h"

#include "fretboard/BZFretboard.h"
#include "ui/ViewAnimation.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QVariantAnimation>

CHContentView::CHContentView(const QRect& frame, const QRect& fretboardFrame, QWidget* parent)
    : View(parent) {
    setGeometry(frame);
    fretboard_ = new BZFretboard(QRect(QPoint(0, 0), fretboardFrame.size()));
    // Alone in its scene the neck is a window of its own, which would fill its background.
    fretboard_->setAttribute(Qt::WA_TranslucentBackground);
    scene_ = new QGraphicsScene(this);
    proxy_ = scene_->addWidget(fretboard_);
    proxy_->setTransformOriginPoint(QRectF(fretboard_->rect()).center());

    // The view over the scene covers the neck alone, so that a touch beside the neck falls on
    // this view, which hands it on.
    graphics_ = new QGraphicsView(scene_, this);
    graphics_->setFrameShape(QFrame::NoFrame);
    graphics_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    graphics_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    graphics_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    graphics_->setFocusPolicy(Qt::NoFocus);
    graphics_->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                              QPainter::SmoothPixmapTransform);
    // The screen's background shows through wherever the neck does not cover.
    graphics_->setBackgroundBrush(Qt::NoBrush);
    graphics_->setStyleSheet(QStringLiteral("background:transparent;border:none;"));
    graphics_->viewport()->setAutoFillBackground(false);
    place(1.0, QRectF(fretboardFrame).center());
}

CHContentView::~CHContentView() {
    if (scaling_) {
        delete scaling_.data();
    }
}

double CHContentView::fretboardScale() const {
    return proxy_->scale();
}

QPointF CHContentView::fretboardCentre() const {
    return proxy_->mapToScene(proxy_->transformOriginPoint());
}

bool CHContentView::isScaling() const {
    return scaling_ && scaling_->state() == QAbstractAnimation::Running;
}

void CHContentView::place(double scale, QPointF centre) {
    proxy_->setScale(scale);
    proxy_->setPos(centre - proxy_->transformOriginPoint());
    // Scene coordinates are this view's: the view over the scene shows its own part of both.
    const QRect covered = proxy_->sceneBoundingRect().toAlignedRect();
    scene_->setSceneRect(covered);
    graphics_->setSceneRect(covered);
    graphics_->setGeometry(covered);
}

void CHContentView::setFretboardScale(double scale, QPointF centre, double seconds) {
    if (scaling_) {
        scaling_->stop();
        delete scaling_.data();
    }
    if (seconds <= 0.0) {
        place(scale, centre);
        return;
    }
    // Scale and centre move together along one curve, from where they are now.
    const double fromScale = fretboardScale();
    const QPointF fromCentre = fretboardCentre();
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(static_cast<int>(seconds * 1000.0 + 0.5));
    animation->setEasingCurve(ViewAnimation::easingCurve(ViewAnimation::Curve::EaseInOut));
    connect(animation, &QVariantAnimation::valueChanged, this, [=, this](const QVariant& value) {
        const double t = value.toDouble();
        place(fromScale + (scale - fromScale) * t, fromCentre + (centre - fromCentre) * t);
    });
    scaling_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

QPointF CHContentView::mapToFretboard(QPointF point) const {
    const QPointF inViewport = graphics_->viewport()->mapFrom(this, point);
    return proxy_->mapFromScene(graphics_->viewportTransform().inverted().map(inViewport));
}

QPointF CHContentView::mapFromFretboard(QPointF point) const {
    const QPointF inViewport = graphics_->viewportTransform().map(proxy_->mapToScene(point));
    return graphics_->viewport()->mapTo(this, inViewport);
}

Touch CHContentView::toFretboard(const Touch& touch) const {
    return {mapToFretboard(touch.location), mapToFretboard(touch.previousLocation),
            touch.timestamp};
}

void CHContentView::touchesBegan(const Touch& touch) {
    fretboard_->touchesBegan(toFretboard(touch), *fretboard_);
}

void CHContentView::touchesMoved(const Touch& touch) {
    fretboard_->touchesMoved(toFretboard(touch), *fretboard_);
}

void CHContentView::touchesEnded(const Touch& touch) {
    fretboard_->touchesEnded(toFretboard(touch), *fretboard_);
}

void CHContentView::touchesCancelled(const Touch& touch) {
    fretboard_->touchesCancelled(toFretboard(touch), *fretboard_);
}
