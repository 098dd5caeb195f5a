#include "BZAudioOptions.h"
#include "BZController.h"
#include "BZHomeController.h"
#include "BZLifeCycle.h"
#include "BZToolClasses.h"
#include "ScriptRunner.h"
#include "Tour.h"
#include "foundation/Bundle.h"
#include "fretboard/FretboardDemo.h"
#include "kit/KitDemo.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/QtAlertPresenter.h"
#include "ui/QtMainThreadDispatcher.h"
#include "ui/ScreenWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace fretkit::host;

namespace {

bool hasDisplay() {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

// Without a display the app draws offscreen; Qt then wants a private runtime folder.
void prepareHeadless() {
    if (!std::getenv("QT_QPA_PLATFORM") && !hasDisplay()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string runtime = "/tmp/fretkit-runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        chmod(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
}

QtMessageHandler standardMessageHandler = nullptr;

// The offscreen platform warns about every fixed-size window; that says nothing to a user.
void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints"))) {
        return;
    }
    if (standardMessageHandler) {
        standardMessageHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

// The window's icon at both scales, and the name of the desktop entry that carries the app's
// name and icon in the desktop's task list.
void setApplicationIcon() {
    QApplication::setDesktopFileName(QStringLiteral("org.fretkit.Fretkit"));
    QIcon icon;
    for (const int scale : {1, 2}) {
        if (const auto path =
                fretkit::Bundle::main().pathForResource("Fretkit_icon", "png", scale)) {
            icon.addFile(QString::fromStdString(*path));
        }
    }
    QApplication::setWindowIcon(icon);
}

int saveScreenshot(ScreenWindow& window, const QString& path) {
    const QImage image = window.snapshot();
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "fretkit-app: cannot write the screenshot %s\n",
                     QDir::toNativeSeparators(path).toLocal8Bit().constData());
        return 1;
    }
    std::printf("fretkit-app: wrote a %dx%d picture of the screen to %s\n", image.width(),
                image.height(), QDir::toNativeSeparators(path).toLocal8Bit().constData());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    prepareHeadless();
    standardMessageHandler = qInstallMessageHandler(filterMessages);
    QApplication app(argc, argv);
    QtMainThreadDispatcher dispatcher;
    fretkit::MainThread::install(&dispatcher);
    QtAlertPresenter alerts;
    fretkit::AlertPresenter::install(&alerts);
    QApplication::setApplicationName(QStringLiteral("fretkit-app"));
    QApplication::setApplicationVersion(QStringLiteral(FRETKIT_VERSION));
    setApplicationIcon();
    FretboardDemo::addKitPages();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Fretkit: a tool suite for six-string fretted instruments."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption scaleOption(QStringLiteral("scale"),
                                         QStringLiteral("Draw the screen at scale 1 or 2."),
                                         QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Write a PNG picture of the screen to <file> and quit."),
        QStringLiteral("file"));
    const QCommandLineOption demoOption(QStringLiteral("kit-demo"),
                                        QStringLiteral("Show a page of the interface kit: %1.")
                                            .arg(KitDemo::pages().join(QStringLiteral(", "))),
                                        QStringLiteral("page"));
    parser.addOption(scaleOption);
    parser.addOption(screenshotOption);
    parser.addOption(demoOption);
    const QCommandLineOption tourOption(
        QStringLiteral("tour"),
        QStringLiteral("Walk through the screens, writing one PNG picture each into <dir>."),
        QStringLiteral("dir"));
    parser.addOption(tourOption);
    // For end-to-end tests: user actions played on the app, see ScriptRunner.
    QCommandLineOption scriptOption(
        QStringLiteral("script"),
        QStringLiteral("Play the user actions of <file> on the app, then quit."),
        QStringLiteral("file"));
    scriptOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(scriptOption);
    const BZAudioOptions audioOptions;
    audioOptions.addTo(parser);
    parser.process(app);

    bool valid = false;
    const int scale = parser.value(scaleOption).toInt(&valid);
    if (!valid || (scale != 1 && scale != 2)) {
        std::fprintf(stderr, "fretkit-app: --scale takes 1 or 2\n");
        return 2;
    }
    if (parser.isSet(demoOption) && !KitDemo::pages().contains(parser.value(demoOption))) {
        std::fprintf(stderr, "fretkit-app: --kit-demo takes one of: %s\n",
                     KitDemo::pages().join(QStringLiteral(", ")).toLocal8Bit().constData());
        return 2;
    }
    const bool offscreen = QGuiApplication::platformName() == QStringLiteral("offscreen");
    const bool tour = parser.isSet(tourOption) && !parser.isSet(demoOption);
    const bool script = parser.isSet(scriptOption);
    if (offscreen && !parser.isSet(screenshotOption) && !tour && !script) {
        std::fprintf(stderr, "fretkit-app: there is no display to show the window on; run it "
                             "with --tour DIR or --screenshot FILE for pictures of the screens, "
                             "or under a desktop session (or xvfb-run) to use it\n");
        return 1;
    }
    std::string audioError;
    const std::optional<AudioDeviceOptions> audio = audioOptions.deviceOptions(parser, &audioError);
    if (!audio || !BZAudioOptions::install(*audio, &audioError)) {
        std::fprintf(stderr, "fretkit-app: %s\n", audioError.c_str());
        return 2;
    }

    // The window outlives the controller, which releases the stream before the screens go.
    ScreenWindow window(scale);
    BZController controller(window, fretkit::Bundle::main());
    BZToolClasses::registerAll();
    // The root of the interface: a navigation stack whose first screen is the home menu.
    auto root = std::make_unique<NavigationController>(std::make_unique<BZHomeController>());
    NavigationController& home = *root;
    controller.applicationDidFinishLaunching(std::move(root));
    if (parser.isSet(demoOption)) {
        controller.replaceRoot(
            [&](PhoneScreen& screen) { return KitDemo::show(parser.value(demoOption), screen); });
    }
    BZLifeCycle lifeCycle(controller);
    lifeCycle.start(window.windowHandle());
    if (!offscreen) {
        lifeCycle.watchSystemSleep();
    }

    if (tour) {
        return Tour::runFromCommandLine(window, home, parser.value(tourOption));
    }
    if (script) {
        int status = 0;
        QTimer::singleShot(0, &app, [&] {
            ScriptRunner runner(controller, stdout);
            QString error;
            if (!runner.runFile(parser.value(scriptOption), &error)) {
                std::fprintf(stderr, "fretkit-app: %s\n", error.toLocal8Bit().constData());
                status = 1;
            }
            QApplication::quit();
        });
        QApplication::exec();
        return status;
    }
    if (parser.isSet(screenshotOption)) {
        int status = 0;
        // Pages that slide in are given time to settle before the picture is taken.
        QTimer::singleShot(parser.isSet(demoOption) ? 800 : 0, &app, [&] {
            status = saveScreenshot(window, parser.value(screenshotOption));
            QApplication::quit();
        });
        QApplication::exec();
        return status;
    }
    return QApplication::exec();
}
