#include "ScriptDrag.h"

#include "ui/PhoneScreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <cmath>

namespace {

constexpr double kDefaultSeconds = 0.2;
constexpr double kStepPoints = 2.0; // a move every two points, as a quick mouse reports them

void sendMouse(QWidget& widget, QEvent::Type type, QPointF at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// Lets the app run until `ms` milliseconds have passed since `clock` started.
void runUntil(const QElapsedTimer& clock, qint64 ms) {
    const qint64 left = ms - clock.elapsed();
    if (left > 0) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(left), &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace

bool ScriptDrag::run(PhoneScreen& screen, const QStringList& words, QString* error) {
    double values[5] = {0, 0, 0, 0, kDefaultSeconds};
    bool ok = words.size() == 5 || words.size() == 6;
    for (int i = 1; ok && i < words.size(); ++i) {
        values[i - 1] = words[i].toDouble(&ok);
    }
    if (!ok || values[4] < 0.0) {
        *error = QStringLiteral("drag takes X1 Y1 X2 Y2 [SECONDS]");
        return false;
    }
    const QPointF from(values[0], values[1]);
    const QPointF to(values[2], values[3]);
    QPointer<QWidget> target = screen.childAt(from.toPoint());
    if (!target) {
        target = &screen;
    }
    const auto local = [&](QPointF point) { return target->mapFrom(&screen, point); };
    sendMouse(*target, QEvent::MouseButtonPress, local(from));
    const QPointF delta = to - from;
    const int steps = std::max(1, static_cast<int>(std::hypot(delta.x(), delta.y()) / kStepPoints));
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i <= steps && target; ++i) {
        runUntil(clock, static_cast<qint64>(values[4] * 1000.0 * i / steps));
        if (target) {
            sendMouse(*target, QEvent::MouseMove, local(from + delta * i / steps));
        }
    }
    if (target) {
        sendMouse(*target, QEvent::MouseButtonRelease, local(to));
    }
    return true;
}
