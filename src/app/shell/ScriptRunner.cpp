#include "ScriptRunner.h"

#include "BZController.h"
#include "ScriptDrag.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QTimer>

namespace {

constexpr double kUntilTimeout = 60.0;

void runEvents(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool number(const QString& word, double* value) {
    bool ok = false;
    *value = word.toDouble(&ok);
    return ok;
}

void sendMouse(QWidget& widget, QEvent::Type type, QPointF at) {
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

ScriptRunner::ScriptRunner(BZController& controller, std::FILE* out)
    : controller_(controller), out_(out) {}

bool ScriptRunner::runFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read the script %1").arg(path);
        return false;
    }
    return run(QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')), error);
}

bool ScriptRunner::run(const QStringList& lines, QString* error) {
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (!runLine(line, error)) {
            *error = QStringLiteral("script line %1 (%2): %3").arg(i + 1).arg(line, *error);
            return false;
        }
    }
    return true;
}

bool ScriptRunner::runLine(const QString& line, QString* error) {
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString& command = words.front();
    double seconds = 0.0;
    if (command == QLatin1String("click")) {
        return click(words, error);
    }
    if (command == QLatin1String("drag")) {
        return ScriptDrag::run(controller_.window().screen(), words, error);
    }
    if (command == QLatin1String("key")) {
        return key(words, error);
    }
    if (command == QLatin1String("until")) {
        return until(words, error);
    }
    if (command == QLatin1String("print")) {
        return print(words, error);
    }
    if (command == QLatin1String("wait") && words.size() == 2 && number(words[1], &seconds)) {
        runEvents(static_cast<int>(seconds * 1000.0));
        return true;
    }
    *error = QStringLiteral("unknown command or wrong arguments");
    return false;
}

bool ScriptRunner::click(const QStringList& words, QString* error) {
    double x = 0.0;
    double y = 0.0;
    if (words.size() != 3 || !number(words[1], &x) || !number(words[2], &y)) {
        *error = QStringLiteral("click takes X Y");
        return false;
    }
    PhoneScreen& screen = controller_.window().screen();
    const QPoint point(static_cast<int>(x), static_cast<int>(y));
    QWidget* target = screen.childAt(point);
    if (target == nullptr) {
        target = &screen;
    }
    const QPointF local = target->mapFrom(&screen, QPointF(x, y));
    sendMouse(*target, QEvent::MouseButtonPress, local);
    sendMouse(*target, QEvent::MouseButtonRelease, local);
    return true;
}

bool ScriptRunner::key(const QStringList& words, QString* error) {
    const QKeySequence sequence(words.size() == 2 ? words[1] : QString());
    if (sequence.isEmpty()) {
        *error = QStringLiteral("key takes one key name");
        return false;
    }
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        target = &controller_.window();
    }
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, sequence[0].key(), sequence[0].keyboardModifiers());
        QApplication::sendEvent(target, &event);
    }
    return true;
}

QVariant ScriptRunner::property(const QString& name) const {
    const ViewController* screen = controller_.frontmostScreen();
    return screen != nullptr ? screen->property(name.toLatin1().constData()) : QVariant();
}

bool ScriptRunner::until(const QStringList& words, QString* error) {
    double wanted = 0.0;
    double timeout = kUntilTimeout;
    if ((words.size() != 4 && words.size() != 5) || words[2] != QLatin1String(">=") ||
        !number(words[3], &wanted) || (words.size() == 5 && !number(words[4], &timeout))) {
        *error = QStringLiteral("until takes NAME >= N [SECONDS]");
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    while (!(property(words[1]).toDouble() >= wanted)) {
        if (static_cast<double>(timer.elapsed()) > timeout * 1000.0) {
            *error = QStringLiteral("%1 stayed at %2").arg(words[1], property(words[1]).toString());
            return false;
        }
        runEvents(10);
    }
    return true;
}

bool ScriptRunner::print(const QStringList& words, QString* error) {
    if (words.size() != 2) {
        *error = QStringLiteral("print takes one property name");
        return false;
    }
    const QVariant value = property(words[1]);
    if (!value.isValid()) {
        *error = QStringLiteral("the screen has no property %1").arg(words[1]);
        return false;
    }
    std::fprintf(out_, "%s = %s\n", words[1].toLatin1().constData(),
                 value.toString().toLocal8Bit().constData());
    std::fflush(out_);
    return true;
}
