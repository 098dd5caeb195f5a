#include "Tour.h"

#include "BZControllerClasses.h"
#include "BZHomeController.h"
#include "BZLocationEditor.h"
#include "BZMainController.h"
#include "BZSettingsController.h"
#include "BZTuningChoices.h"
#include "foundation/Bundle.h"
#include "fretboard/FretboardDemo.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "ui/NavigationController.h"
#include "ui/ScreenWindow.h"
#include "ui/SegmentedControl.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using fretkit::PlistValue;

namespace {

constexpr int kStepTimeoutMs = 10000;
// Time for the last repaints and the row highlight's fade after a screen is reached.
constexpr int kSettleMs = 300;

void runEvents(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void sendMouse(QWidget& widget, QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

QString localized(const std::string& key) {
    return QString::fromStdString(fretkit::Bundle::main().localizedString(key));
}

// A tool screen whose class has not landed yet, standing in for it so that its settings can be
// shown: it offers the tunings as the tool will.
class ToolStandIn : public BZMainController {
public:
    using BZMainController::BZMainController;

protected:
    PlistValue choicesForKey(const std::string& key) const override {
        if (key == "TN_tuning") {
            return BZTuningChoices::forTuner();
        }
        if (key == "SC_tuning" || key == "CF_tuning") {
            return BZTuningChoices::forFretboards();
        }
        return {};
    }
};

} // namespace

Tour::Tour(ScreenWindow& window, NavigationController& home, QString folder)
    : window_(window), home_(home), folder_(std::move(folder)) {}

QString Tour::fileWord(const QString& text) {
    QString word;
    for (const QChar c : text) {
        if (c.isUpper() && !word.isEmpty() && word.back() != QLatin1Char('-')) {
            word += QLatin1Char('-');
        }
        if (c.isLetterOrNumber()) {
            word += c.toLower();
        } else if (!word.isEmpty() && word.back() != QLatin1Char('-')) {
            word += QLatin1Char('-');
        }
    }
    while (word.endsWith(QLatin1Char('-'))) {
        word.chop(1);
    }
    return word;
}

bool Tour::run(QString* error) {
    const bool walked = walk();
    if (!walked && error) {
        *error = error_;
    }
    return walked;
}

bool Tour::walk() {
    auto* home = home_.viewControllers().empty()
                     ? nullptr
                     : dynamic_cast<BZHomeController*>(home_.viewControllers().front().get());
    if (!home) {
        error_ = QStringLiteral("the screens do not start with the home menu");
        return false;
    }
    if (!prepareFolder() || !reach([home] { return home->isVisible(); }, QStringLiteral("home")) ||
        !snapPicture(QStringLiteral("home")) || !walkAbout()) {
        return false;
    }
    const PlistValue& sections = home->tableView()->contents();
    for (int section = 0; section < static_cast<int>(sections.count()); ++section) {
        const PlistValue& rows = sections[std::size_t(section)]["contents"];
        for (int row = 0; row < static_cast<int>(rows.count()); ++row) {
            if (!walkTool(section, row)) {
                return false;
            }
        }
    }
    tool_ = QStringLiteral("fretboard");
    if (!FretboardDemo::walkTour(*home, *this)) {
        error_ = error_.isEmpty() ? QStringLiteral("the fretboard demo was not shown") : error_;
        return false;
    }
    return walkLocationEditor(*home);
}

// The dealer locator and the teacher finder open the location editor; until they exist it is
// opened over the home menu, and both of its pages are shown before Cancel closes it.
bool Tour::walkLocationEditor(ViewController& home) {
    BZLocationEditor* editor = BZLocationEditor::presentOver(home, nullptr, true);
    if (!editor || !reach([editor] { return editor->isVisible(); }, QStringLiteral("location")) ||
        !snapPicture(QStringLiteral("location-postal-code"))) {
        if (error_.isEmpty()) {
            error_ = QStringLiteral("the location editor could not be opened");
        }
        return false;
    }
    SegmentedControl& modes = *editor->segmentedControl();
    tap(modes, modes.segmentRect(1).center());
    if (!reach([editor] { return editor->international(); }, QStringLiteral("location country")) ||
        !snapPicture(QStringLiteral("location-country"))) {
        return false;
    }
    tapBarButton(*editor->navigationBar(), false);
    return reach([&home] { return home.isVisible() && !home.modalViewController(); },
                 QStringLiteral("home"));
}

int Tour::runFromCommandLine(ScreenWindow& window, NavigationController& home,
                             const QString& folder) {
    Tour tour(window, home, folder);
    QString error;
    if (!tour.run(&error)) {
        std::fprintf(stderr, "fretkit-app: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("fretkit-app: wrote %lld pictures of the screens to %s\n",
                static_cast<long long>(tour.pictures().size()),
                QDir::toNativeSeparators(QDir(folder).absolutePath()).toLocal8Bit().constData());
    return 0;
}

bool Tour::prepareFolder() {
    if (!QDir().mkpath(folder_) || !QFileInfo(folder_).isWritable()) {
        error_ = QStringLiteral("cannot write pictures into the folder %1")
                     .arg(QDir::toNativeSeparators(folder_));
        return false;
    }
    return true;
}

bool Tour::snap(const QString& state) {
    return snapPicture(tool_ + QLatin1Char('-') + state);
}

void Tour::pause(int ms) {
    runEvents(ms);
}

void Tour::tap(QWidget& widget, QPoint at) {
    sendMouse(widget, QEvent::MouseButtonPress, at);
    sendMouse(widget, QEvent::MouseButtonRelease, at);
}

void Tour::drag(QWidget& widget, QPoint from, QPoint to, int steps) {
    sendMouse(widget, QEvent::MouseButtonPress, from);
    steps = std::max(1, steps);
    for (int step = 1; step <= steps; ++step) {
        runEvents(15);
        sendMouse(widget, QEvent::MouseMove, from + (to - from) * step / steps);
    }
    sendMouse(widget, QEvent::MouseButtonRelease, to);
}

void Tour::key(int key) {
    QWidget* target = QApplication::focusWidget();
    if (!target) {
        target = &window_;
    }
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
}

bool Tour::snapPicture(const QString& name) {
    const QString file =
        QStringLiteral("%1-%2.png").arg(pictures_.size() + 1, 2, 10, QLatin1Char('0')).arg(name);
    const QString path = QDir(folder_).filePath(file);
    if (!window_.snapshot().save(path, "PNG")) {
        error_ = QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(path));
        return false;
    }
    pictures_.append(file);
    return true;
}

bool Tour::reach(const std::function<bool()>& condition, const QString& screen) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() || !isSettled(home_)) {
        if (timer.elapsed() > kStepTimeoutMs) {
            error_ = QStringLiteral("the tour did not reach the %1 screen").arg(screen);
            return false;
        }
        runEvents(10);
    }
    runEvents(kSettleMs);
    return true;
}

bool Tour::isSettled(const NavigationController& stack) const {
    return !stack.isTransitioning();
}

bool Tour::walkAbout() {
    ViewController* home = home_.topViewController();
    tapBarButton(*home_.navigationBar(), false);
    auto* about = qobject_cast<NavigationController*>(home->modalViewController());
    if (!about || !reach([about] { return about->isVisible(); }, QStringLiteral("about")) ||
        !snapPicture(QStringLiteral("about"))) {
        if (error_.isEmpty()) {
            error_ = QStringLiteral("the about button opened nothing");
        }
        return false;
    }
    tapBarButton(*about->navigationBar(), true);
    return reach([home] { return home->isVisible() && !home->modalViewController(); },
                 QStringLiteral("home"));
}

bool Tour::walkTool(int section, int row) {
    auto* home = static_cast<BZHomeController*>(home_.viewControllers().front().get());
    const PlistValue& structure =
        home->tableView()->contents()[std::size_t(section)]["contents"][std::size_t(row)];
    const QString className = QString::fromStdString(structure["controllerClass"].stringValue());
    const QString title = localized(structure["title"].stringValue());
    const QString name = fileWord(title);
    const bool hasSettingsList =
        fretkit::Bundle::main()
            .pathForResource(BZMainController::settingsListName(className).toStdString(), "plist")
            .has_value();
    if (BZControllerClasses::exists(className)) {
        if (!tapRow(*home->tableView(), section, row)) {
            return false;
        }
    } else if (hasSettingsList) {
        auto standIn = std::make_unique<ToolStandIn>(className);
        standIn->setTitle(title);
        home_.pushViewController(std::move(standIn), true);
    } else {
        return true; // nothing of this tool to show yet
    }
    ViewController* tool = home_.topViewController();
    // A tool may open a screen of its own as it appears (the locators ask where the user is).
    const auto shown = [tool] {
        const ViewController* modal = tool->modalViewController();
        return tool->isVisible() || (modal && modal->isVisible());
    };
    if (!reach([tool, home, shown] { return tool != home && shown(); }, title)) {
        return false;
    }
    auto* main = dynamic_cast<BZMainController*>(tool);
    if (BZControllerClasses::exists(className)) {
        tool_ = name;
        if (!snapPicture(name) || (main && !main->walkTour(*this))) {
            return false;
        }
    }
    if (main && main->hasSettings() && !walkSettings(*main, name)) {
        return false;
    }
    tapBarButton(*home_.navigationBar(), false);
    return reach([this, home] { return home_.topViewController() == home && home->isVisible(); },
                 QStringLiteral("home"));
}

bool Tour::walkSettings(BZMainController& tool, const QString& name) {
    tapBarButton(*home_.navigationBar(), true);
    NavigationController* settings = tool.settingsNavigationController();
    if (!settings) {
        error_ = QStringLiteral("the settings button of the %1 opened nothing").arg(name);
        return false;
    }
    auto* root = static_cast<BZSettingsController*>(settings->viewControllers().front().get());
    if (!reach([settings, root] { return root->isVisible() && !settings->isTransitioning(); },
               name + QStringLiteral(" settings")) ||
        !snapPicture(name + QStringLiteral("-settings")) ||
        !walkEditors(*settings, *root->tableView(), name)) {
        return false;
    }
    tapBarButton(*settings->navigationBar(), true);
    QPointer<NavigationController> gone = settings;
    return reach([&tool, gone] { return tool.isVisible() && !gone; }, name);
}

bool Tour::walkEditors(NavigationController& settings, QVTableView& table, const QString& name) {
    ViewController* root = settings.viewControllers().front().get();
    const PlistValue& sections = table.contents();
    for (int section = 0; section < static_cast<int>(sections.count()); ++section) {
        const PlistValue& rows = sections[std::size_t(section)]["contents"];
        for (int row = 0; row < static_cast<int>(rows.count()); ++row) {
            const PlistValue& structure = rows[std::size_t(row)];
            if (!structure.contains("editorClass")) {
                continue;
            }
            const std::string key = structure["key"].stringValue();
            const QString word = fileWord(QString::fromStdString(key.substr(key.find('_') + 1)));
            if (!tapRow(table, section, row)) {
                return false;
            }
            ViewController* editor = settings.topViewController();
            if (!reach(
                    [&settings, editor, root] {
                        return editor != root && editor->isVisible() && !settings.isTransitioning();
                    },
                    name + QLatin1Char(' ') + word) ||
                !snapPicture(name + QLatin1Char('-') + word)) {
                return false;
            }
            tapBarButton(*settings.navigationBar(), false);
            if (!reach(
                    [&settings, root] {
                        return settings.topViewController() == root && root->isVisible() &&
                               !settings.isTransitioning();
                    },
                    name + QStringLiteral(" settings"))) {
                return false;
            }
        }
    }
    return true;
}

bool Tour::tapRow(QVTableView& table, int section, int row) {
    QVTableViewCell* cell = table.cellAt({section, row});
    if (!cell) {
        error_ = QStringLiteral("row %1 of section %2 is not in its table").arg(row).arg(section);
        return false;
    }
    table.scrollToRowInMiddle({section, row});
    tap(*cell, cell->rect().center());
    return true;
}

void Tour::tapBarButton(NavigationBar& bar, bool right) {
    const QRect button = right ? bar.rightButtonRect() : bar.leftButtonRect();
    if (!button.isNull()) {
        tap(bar, button.center());
    }
}
