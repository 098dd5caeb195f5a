#include "SCFretboardHost.h"

#include "fretboard/BZFretboard.h"

#include <QGraphicsProxyWidget>
#include <QResizeEvent>
#include <cmath>

SCFretboardHost::SCFretboardHost(QSize neckSize, QWidget* parent)
    : QGraphicsView(parent), neckSize_(neckSize) {
    auto* scene = new QGraphicsScene(this);
    setScene(scene);
    fretboard_ = new BZFretboard(QRect(QPoint(), neckSize));
    // The wood around the neck shows through where the neck draws nothing.
    fretboard_->setAttribute(Qt::WA_TranslucentBackground);
    proxy_ = scene->addWidget(fretboard_);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setStyleSheet(QStringLiteral("QGraphicsView{background:transparent;border:none;}"));
    setBackgroundBrush(Qt::NoBrush);
    viewport()->setAutoFillBackground(false);
    // The arrow keys belong to the screen, not to scrolling this view.
    setFocusPolicy(Qt::NoFocus);
    resize(neckSize);
}

double SCFretboardHost::neckScale() const {
    return neckSize_.height() > 0 ? static_cast<double>(height()) / neckSize_.height() : 1.0;
}

QRect SCFretboardHost::frameForScale(double scale, double centreX) const {
    const double width = neckSize_.width() * scale;
    return {static_cast<int>(std::lround(centreX - width / 2.0)), 0,
            static_cast<int>(std::lround(width)),
            static_cast<int>(std::lround(neckSize_.height() * scale))};
}

QPointF SCFretboardHost::mapToFretboard(QPointF point) const {
    const QPointF inScene = viewportTransform().inverted().map(point);
    return proxy_->mapFromScene(inScene);
}

QPointF SCFretboardHost::mapFromFretboard(QPointF point) const {
    return viewportTransform().map(proxy_->mapToScene(point));
}

void SCFretboardHost::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    const double scale = neckScale();
    proxy_->setScale(scale);
    proxy_->setPos((width() - neckSize_.width() * scale) / 2.0, 0.0);
    setSceneRect(0, 0, width(), height());
}
