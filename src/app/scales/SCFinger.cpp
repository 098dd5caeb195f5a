#include "SCFinger.h"

#include "fretboard/BZFretboardDelegate.h"
#include "ui/ScreenImage.h"
#include "ui/ViewAnimation.h"

#include <QEvent>
#include <QPainter>
#include <QVariantAnimation>

namespace {

// The bundle's halo over a finger, drawn at an opacity that fades from 1 to 0; it lets touches
// through.
class FadingHalo : public QWidget {
public:
    explicit FadingHalo(QWidget* parent) : QWidget(parent), fade_(new QVariantAnimation(this)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        fade_->setStartValue(1.0);
        fade_->setEndValue(0.0);
        fade_->setDuration(static_cast<int>(BZFinger::kHighlightDuration * 1000.0));
        fade_->setEasingCurve(ViewAnimation::easingCurve(ViewAnimation::Curve::EaseOut));
        QObject::connect(fade_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
            opacity_ = v.toDouble();
            update();
        });
        QObject::connect(fade_, &QAbstractAnimation::finished, this, [this] {
            opacity_ = 0.0;
            hide(); // faded out: nothing left to draw
        });
    }

    double opacity() const { return opacity_; }

    void restart() {
        fade_->stop();
        opacity_ = 1.0;
        show();
        raise();
        update();
        fade_->start();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setOpacity(opacity_);
        ScreenImage::drawStretched(painter, rect(),
                                   ScreenImage::load(QStringLiteral("BZFinger_highlight")),
                                   BZFinger::kHaloCap);
    }

private:
    QVariantAnimation* fade_;
    double opacity_ = 0.0;
};

} // namespace

SCFinger::SCFinger(BZFretboard& fretboard) : BZFinger(fretboard) {}

SCFinger::~SCFinger() {
    delete halo_.data();
}

void SCFinger::flash() {
    if (!parentWidget()) {
        return; // not on a neck: nothing to light
    }
    if (!halo_ || halo_->parentWidget() != parentWidget()) {
        delete halo_.data();
        halo_ = new FadingHalo(parentWidget());
    }
    halo_->setGeometry(geometry().adjusted(-kHaloOutset, -kHaloOutset, kHaloOutset, kHaloOutset));
    static_cast<FadingHalo*>(halo_.data())->restart();
}

double SCFinger::haloOpacity() const {
    return halo_ && halo_->isVisible() ? static_cast<const FadingHalo*>(halo_.data())->opacity()
                                       : 0.0;
}

bool SCFinger::event(QEvent* event) {
    // A hidden finger's halo goes dark; a finger taken off the neck takes its halo along. The
    // halo is a sibling, which the widget being hidden or moved may be walking through: it is
    // hidden, or deleted later, never deleted here.
    if (halo_ && event->type() == QEvent::Hide) {
        halo_->hide();
    } else if (halo_ && event->type() == QEvent::ParentChange) {
        halo_->deleteLater();
        halo_ = nullptr;
    }
    return BZFinger::event(event);
}

void SCFinger::touchesBegan(const Touch& touch) {
    if (BZFretboard* neck = fretboard()) {
        if (auto* delegate = dynamic_cast<SCFingerTouched*>(neck->fretboardDelegate())) {
            delegate->fingerTouched(*this);
        }
    }
    BZFinger::touchesBegan(touch);
}
