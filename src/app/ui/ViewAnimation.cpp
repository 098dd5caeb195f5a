#include "ViewAnimation.h"

#include "View.h"

#include <QMap>
#include <QParallelAnimationGroup>
#include <QPointer>
#include <QVariantAnimation>
#include <memory>

namespace {

// One committed animation: its parts run in a group; did-stop runs once.
struct RunningAnimation {
    QString name;
    ViewAnimation::DidStop didStop;
    bool interrupted = false;
    bool reported = false;
    QPointer<QParallelAnimationGroup> group;

    void report(bool finished) {
        if (reported) {
            return;
        }
        reported = true;
        if (didStop) {
            didStop(name, finished);
        }
    }
};

struct PartKey {
    const QWidget* view;
    int property;
    bool operator<(const PartKey& other) const {
        return view != other.view ? view < other.view : property < other.property;
    }
};

struct Part {
    QPointer<QVariantAnimation> animation;
    std::shared_ptr<RunningAnimation> owner;
};

QMap<PartKey, Part>& runningParts() {
    static QMap<PartKey, Part> parts;
    return parts;
}

} // namespace

ViewAnimation::ViewAnimation(QString name) : name_(std::move(name)) {}

ViewAnimation& ViewAnimation::duration(double seconds) {
    duration_ = std::max(0.0, seconds);
    return *this;
}

ViewAnimation& ViewAnimation::curve(Curve curve) {
    curve_ = curve;
    return *this;
}

ViewAnimation& ViewAnimation::beginFromCurrentState(bool flag) {
    fromCurrentState_ = flag;
    return *this;
}

ViewAnimation& ViewAnimation::didStop(DidStop callback) {
    didStop_ = std::move(callback);
    return *this;
}

ViewAnimation& ViewAnimation::alpha(QWidget* view, double alpha) {
    changes_.push_back({view, Property::Alpha, alpha});
    return *this;
}

ViewAnimation& ViewAnimation::center(QWidget* view, QPointF center) {
    QRect frame = view->geometry();
    frame.moveTopLeft(
        QPointF(center.x() - frame.width() / 2.0, center.y() - frame.height() / 2.0).toPoint());
    return this->frame(view, frame);
}

ViewAnimation& ViewAnimation::frame(QWidget* view, QRect frame) {
    changes_.push_back({view, Property::Frame, frame});
    return *this;
}

ViewAnimation& ViewAnimation::rotation(QWidget* view, double radians) {
    if (qobject_cast<View*>(view)) {
        changes_.push_back({view, Property::Rotation, radians});
    }
    return *this;
}

QEasingCurve ViewAnimation::easingCurve(Curve curve) {
    QEasingCurve easing(QEasingCurve::BezierSpline);
    switch (curve) {
    case Curve::EaseInOut:
        easing.addCubicBezierSegment({0.42, 0.0}, {0.58, 1.0}, {1.0, 1.0});
        break;
    case Curve::EaseIn:
        easing.addCubicBezierSegment({0.42, 0.0}, {1.0, 1.0}, {1.0, 1.0});
        break;
    case Curve::EaseOut:
        easing.addCubicBezierSegment({0.0, 0.0}, {0.58, 1.0}, {1.0, 1.0});
        break;
    case Curve::Linear:
        return QEasingCurve(QEasingCurve::Linear);
    }
    return easing;
}

bool ViewAnimation::isAnimating(const QWidget* view) {
    const auto& parts = runningParts();
    for (auto it = parts.begin(); it != parts.end(); ++it) {
        if (it.key().view == view && it.value().animation) {
            return true;
        }
    }
    return false;
}

QVariant ViewAnimation::currentValue(QWidget* view, Property property) {
    switch (property) {
    case Property::Alpha:
        return View::alpha(view);
    case Property::Frame:
        return view->geometry();
    case Property::Rotation:
        return static_cast<View*>(view)->rotation();
    }
    return {};
}

void ViewAnimation::apply(QWidget* view, Property property, const QVariant& value) {
    switch (property) {
    case Property::Alpha:
        View::setAlpha(view, value.toDouble());
        break;
    case Property::Frame:
        view->setGeometry(value.toRect());
        break;
    case Property::Rotation:
        static_cast<View*>(view)->setRotation(value.toDouble());
        break;
    }
}

void ViewAnimation::commit() {
    auto running = std::make_shared<RunningAnimation>();
    running->name = name_;
    running->didStop = std::move(didStop_);
    auto* group = new QParallelAnimationGroup;
    running->group = group;
    auto& parts = runningParts();

    for (const Change& change : changes_) {
        const PartKey key{change.view, static_cast<int>(change.property)};
        QVariant start = currentValue(change.view, change.property);
        if (auto it = parts.find(key); it != parts.end()) {
            Part taken = it.value();
            parts.erase(it);
            if (taken.animation) {
                if (!fromCurrentState_) {
                    start = taken.animation->endValue();
                    apply(change.view, change.property, start);
                }
                taken.owner->interrupted = true;
                QAnimationGroup* oldGroup = taken.animation->group();
                if (oldGroup) {
                    oldGroup->removeAnimation(taken.animation);
                }
                delete taken.animation.data();
                if (oldGroup && oldGroup->animationCount() == 0) {
                    oldGroup->stop();
                    taken.owner->report(false);
                    oldGroup->deleteLater();
                }
            }
        }
        if (duration_ <= 0.0) {
            apply(change.view, change.property, change.target);
            continue;
        }
        auto* animation = new QVariantAnimation(group);
        animation->setStartValue(start);
        animation->setEndValue(change.target);
        animation->setDuration(static_cast<int>(duration_ * 1000.0 + 0.5));
        animation->setEasingCurve(easingCurve(curve_));
        QPointer<QWidget> view = change.view;
        const Property property = change.property;
        QObject::connect(animation, &QVariantAnimation::valueChanged, animation,
                         [view, property](const QVariant& value) {
                             if (view) {
                                 apply(view, property, value);
                             }
                         });
        // A view that goes away takes its animation with it; that animation did not finish.
        std::weak_ptr<RunningAnimation> owner = running;
        QObject::connect(change.view, &QObject::destroyed, animation, [animation, key, owner] {
            runningParts().remove(key);
            if (const auto stopped = owner.lock()) {
                stopped->interrupted = true;
            }
            animation->deleteLater();
        });
        parts.insert(key, Part{animation, running});
    }

    if (group->animationCount() == 0) {
        delete group;
        running->report(true);
        return;
    }
    QObject::connect(group, &QAbstractAnimation::finished, group, [running, group] {
        auto& all = runningParts();
        for (auto it = all.begin(); it != all.end();) {
            it = it.value().owner == running ? all.erase(it) : std::next(it);
        }
        running->report(!running->interrupted);
        group->deleteLater();
    });
    group->start();
}
