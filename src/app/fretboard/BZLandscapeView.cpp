#include "BZLandscapeView.h"

#include "BZBarButton.h"
#include "ui/PhoneScreen.h"
#include "ui/ViewAnimation.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// The page's background and its translucent black bar.
class Page : public QWidget {
public:
    Page() { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient wood(0, 0, 0, height());
        wood.setColorAt(0.0, QColor(0x2a, 0x1c, 0x14));
        wood.setColorAt(1.0, QColor(0x12, 0x0c, 0x08));
        painter.fillRect(rect(), wood);
    }
};

class Bar : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient shade(0, 0, 0, height());
        shade.setColorAt(0.0, QColor(60, 60, 60));
        shade.setColorAt(0.5, QColor(20, 20, 20));
        shade.setColorAt(1.0, QColor(0, 0, 0));
        painter.fillRect(rect(), shade);
        painter.setPen(QColor(255, 255, 255, 40));
        painter.drawLine(0, 0, width(), 0);
    }
};

} // namespace

BZLandscapeView::BZLandscapeView(QObject& owner) : View(nullptr) {
    resize(PhoneScreen::kWidth, PhoneScreen::kHeight);
    View::setAlpha(this, 0.0);

    page_ = new Page;
    page_->resize(kWidth, kHeight);
    bar_ = new Bar(page_);
    bar_->setGeometry(0, 0, kWidth, kBarHeight);
    titleLabel_ = new QLabel(bar_);
    titleLabel_->setAlignment(Qt::AlignCenter);
    titleLabel_->setGeometry(BZBarButton::kWidth + 12, 0, kWidth - 2 * (BZBarButton::kWidth + 12),
                             kBarHeight);
    QFont font;
    font.setPixelSize(17);
    font.setBold(true);
    titleLabel_->setFont(font);
    setTitleAlpha(1.0);
    const int buttonY = (kBarHeight - BZBarButton::kHeight) / 2;
    leftButton_ = new BZBarButton(BZBarButton::Arrow::Left, bar_);
    leftButton_->move(6, buttonY);
    leftButton_->hide();
    rightButton_ = new BZBarButton(BZBarButton::Arrow::Right, bar_);
    rightButton_->move(kWidth - 6 - BZBarButton::kWidth, buttonY);
    rightButton_->hide();

    // The page is turned in a scene of its own, which maps touches back into it.
    scene_ = new QGraphicsScene(this);
    scene_->setSceneRect(0, 0, PhoneScreen::kWidth, PhoneScreen::kHeight);
    proxy_ = scene_->addWidget(page_);
    proxy_->setTransformOriginPoint(kWidth / 2.0, kHeight / 2.0);
    proxy_->setPos(PhoneScreen::kWidth / 2.0 - kWidth / 2.0,
                   PhoneScreen::kHeight / 2.0 - kHeight / 2.0);
    graphics_ = new QGraphicsView(scene_, this);
    graphics_->setGeometry(rect());
    graphics_->setFrameShape(QFrame::NoFrame);
    graphics_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    graphics_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    graphics_->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                              QPainter::SmoothPixmapTransform);
    graphics_->setBackgroundBrush(Qt::black);
    graphics_->setSceneRect(scene_->sceneRect());
    // Hidden while off the screen, so that the views a screen adds show with it.
    page_->hide();

    QObject::connect(&owner, &QObject::destroyed,
                     [view = QPointer<BZLandscapeView>(this)] { delete view.data(); });
}

BZLandscapeView::~BZLandscapeView() {
    stopObservingOrientation();
    takeOffScreen();
}

void BZLandscapeView::setTitleAlpha(double alpha) {
    titleAlpha_ = std::clamp(alpha, 0.0, 1.0);
    titleLabel_->setStyleSheet(QStringLiteral("color:rgba(244,236,220,%1);background:transparent;")
                                   .arg(std::lround(titleAlpha_ * 255.0)));
}

void BZLandscapeView::startObservingOrientation() {
    if (observing_) {
        return;
    }
    observing_ = true;
    observer_ = fretkit::NotificationCenter::defaultCenter().addObserver(
        DeviceEvents::kOrientationDidChange, nullptr, [this](const fretkit::Notification& note) {
            orientationChanged(static_cast<DeviceEvents::Orientation>(
                note.userInfo["orientation"].integerValue()));
        });
}

void BZLandscapeView::stopObservingOrientation() {
    if (!observing_) {
        return;
    }
    observing_ = false;
    fretkit::NotificationCenter::defaultCenter().removeObserver(observer_);
    // A screen that goes leaves no landscape face behind over the next one.
    takeOffScreen();
}

void BZLandscapeView::orientationChanged(DeviceEvents::Orientation orientation) {
    switch (orientation) {
    case DeviceEvents::Portrait:
        disappear();
        break;
    case DeviceEvents::LandscapeLeft:
    case DeviceEvents::LandscapeRight:
        appear(orientation);
        break;
    default:
        break;
    }
}

void BZLandscapeView::appear(DeviceEvents::Orientation orientation) {
    const double rotate = orientation == DeviceEvents::LandscapeLeft ? M_PI / 2.0 : -M_PI / 2.0;
    PhoneScreen* screen = PhoneScreen::keyScreen();
    if (!screen) {
        return;
    }
    const bool fadingOut = isShown() && ViewAnimation::isAnimating(this);
    if (isShown() && !fadingOut) {
        // Turned from one side straight to the other: turn the face over, do not fade again.
        turn(rotate);
        return;
    }
    if (willShow_) {
        willShow_();
    }
    screen->setStatusBarHidden(true);
    turn(rotate);
    if (!isShown()) {
        setParent(screen);
        setGeometry(0, 0, PhoneScreen::kWidth, PhoneScreen::kHeight);
    }
    raise();
    page_->show();
    View::show();
    // Taking over a fade-out from where it is stops that fade from taking the face away.
    ViewAnimation(QString::fromLatin1(kShowAnimation))
        .duration(kFadeDuration)
        .beginFromCurrentState(true)
        .alpha(this, 1.0)
        .commit();
}

void BZLandscapeView::disappear() {
    if (PhoneScreen* screen = PhoneScreen::keyScreen()) {
        screen->setStatusBarHidden(false);
    }
    if (!isShown()) {
        return;
    }
    if (willHide_) {
        willHide_();
    }
    QPointer<BZLandscapeView> self = this;
    ViewAnimation(QString::fromLatin1(kHideAnimation))
        .duration(kFadeDuration)
        .beginFromCurrentState(true)
        .alpha(this, 0.0)
        .didStop([self](const QString&, bool finished) {
            // A turn back to landscape during the fade keeps the face.
            if (self && finished) {
                self->takeOffScreen();
            }
        })
        .commit();
}

void BZLandscapeView::takeOffScreen() {
    if (!isShown()) {
        return;
    }
    if (auto* screen = qobject_cast<PhoneScreen*>(parentWidget())) {
        screen->setStatusBarHidden(false);
    }
    View::hide();
    page_->hide();
    setParent(nullptr);
    View::setAlpha(this, 0.0);
    turn(0.0);
}

void BZLandscapeView::turn(double radians) {
    landscapeRotate_ = radians;
    proxy_->setRotation(radians * 180.0 / M_PI);
}

QPointF BZLandscapeView::mapPageToScreen(QPointF point) const {
    const QPointF inView = graphics_->viewportTransform().map(proxy_->mapToScene(point));
    return pos() + graphics_->pos() + graphics_->viewport()->pos() + inView;
}
