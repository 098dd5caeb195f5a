#include "ScriptDrag.h"

#include "ui/PhoneScreen.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

void send(QWidget& widget, QEvent::Type type, QPointF at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

bool ScriptDrag::run(PhoneScreen& screen, const QStringList& words, QString* error) {
    double numbers[5] = {0, 0, 0, 0, kDefaultSteps};
    bool ok = words.size() == 5 || words.size() == 6;
    for (qsizetype i = 1; ok && i < words.size(); ++i) {
        numbers[i - 1] = words[i].toDouble(&ok);
    }
    const int steps = static_cast<int>(numbers[4]);
    if (!ok || steps < 1) {
        *error = QStringLiteral("drag takes X1 Y1 X2 Y2 [STEPS]");
        return false;
    }
    const QPointF from(numbers[0], numbers[1]);
    const QPointF to(numbers[2], numbers[3]);
    QWidget* target = screen.childAt(from.toPoint());
    if (target == nullptr) {
        target = &screen;
    }
    const auto local = [&](QPointF point) { return target->mapFrom(&screen, point); };
    send(*target, QEvent::MouseButtonPress, local(from));
    for (int step = 1; step <= steps; ++step) {
        QApplication::processEvents();
        send(*target, QEvent::MouseMove, local(from + (to - from) * step / steps));
    }
    send(*target, QEvent::MouseButtonRelease, local(to));
    return true;
}
