#include "Tour.h"

#include "BZControllerClasses.h"
#include "BZHomeController.h"
#include "BZMainController.h"
#include "ShellTestSupport.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace {

SubprocessResult runTour(const TempDir& dir, const std::string& folder, int scale) {
    return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "
                      "FRETKIT_DEFAULTS=" +
                      dir.file("defaults.plist") + " " + std::string(FRETKIT_APP) + " --scale " +
                      std::to_string(scale) + " --tour " + folder + " 2>&1");
}

// The screens every tour shows, in order; pictures of further screens may come between them.
const char* const kScreens[] = {
    "home",
    "about",
    "tuner-settings",
    "tuner-tuning",
    "tuner-detune",
    "tuner-reference",
    "metronome-settings",
    "metronome-time-signature",
    "metronome-sound-name",
    "metronome-movement-style",
    "chords-settings",
    "chords-left-handed",
    "chords-intervals",
    "scales-settings",
    "scales-tuning",
    "scales-detune",
    "scales-allow-stretched",
    "scales-finger-labels",
    "scales-left-handed",
    "chord-finder-settings",
    "chord-finder-tuning",
    "chord-finder-detune",
    "chord-finder-left-handed",
    "fretboard-portrait",
    "fretboard-landscape",
    "fretboard-portrait-left-handed",
    "fretboard-landscape-left-handed",
    "location-postal-code",
    "location-country",
};

// The tools' own states, which the app's tour shows between the screens above.
const char* const kToolStates[] = {
    "dealer-locator-domestic",      "dealer-locator-dealer",  "dealer-locator-international",
    "dealer-locator-search-failed", "teacher-finder-results", "teacher-finder-teacher",
};

void expectTour(int scale) {
    TempDir dir;
    const std::string folder = dir.file("tour");
    const SubprocessResult run = runTour(dir, folder, scale);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(folder), std::string::npos) << run.output;

    const QStringList files =
        QDir(QString::fromStdString(folder)).entryList({QStringLiteral("*.png")}, QDir::Files);
    std::size_t next = 0;
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files[i];
        SCOPED_TRACE(file.toStdString());
        // Numbered from 01 without gaps, in the order the screens were shown.
        EXPECT_TRUE(file.startsWith(QStringLiteral("%1-").arg(i + 1, 2, 10, QLatin1Char('0'))));
        if (next < std::size(kScreens) && file.mid(3).chopped(4) == kScreens[next]) {
            ++next;
        }
        const QImage image(QDir(QString::fromStdString(folder)).filePath(file));
        ASSERT_EQ(image.size(), QSize(320 * scale, 480 * scale));
        // A drawn screen: bars, rows and text, not a blank page.
        QSet<QRgb> colours;
        for (int y = 64 * scale; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) {
                colours.insert(image.pixel(x, y));
            }
        }
        EXPECT_GT(colours.size(), 40);
    }
    EXPECT_EQ(next, std::size(kScreens))
        << "missing: " << kScreens[std::min(next, std::size(kScreens) - 1)];
    for (const char* state : kToolStates) {
        EXPECT_TRUE(
            std::any_of(files.begin(), files.end(),
                        [state](const QString& file) { return file.mid(3).chopped(4) == state; }))
            << "missing: " << state;
    }
}

} // namespace

TEST(Tour, WalksEveryScreenAndWritesOnePicturePerScreen) {
    expectTour(1);
}

TEST(Tour, WritesDoubleDensityPicturesAtScaleTwo) {
    expectTour(2);
}

TEST(Tour, AFolderThatCannotBeWrittenFailsWithAMessage) {
    TempDir dir;
    const SubprocessResult run = runTour(dir, "/proc/fretkit-tour", 1);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("/proc/fretkit-tour"), std::string::npos) << run.output;
}

TEST(Tour, NamesFilesAfterTitlesAndSettingKeys) {
    EXPECT_EQ(Tour::fileWord(QStringLiteral("Chord Finder")), "chord-finder");
    EXPECT_EQ(Tour::fileWord(QStringLiteral("timeSignature")), "time-signature");
    EXPECT_EQ(Tour::fileWord(QStringLiteral("Tuner")), "tuner");
    EXPECT_EQ(Tour::fileWord(QStringLiteral("leftHanded")), "left-handed");
}

TEST(Tour, PhotographsEveryToolScreenThatExistsAndSkipsSettingsItHasNot) {
    shellApplication();
    // The dealer locator's screen, as it will be: no settings, and one state of its own that it
    // reaches by a click on its view.
    class Locator : public BZMainController {
    public:
        Locator() : BZMainController(QStringLiteral("DFMainController")) {}
        bool hasSettings() const override { return false; }
        bool walkTour(TourSteps& steps) override {
            steps.tap(*view(), QPoint(160, 200));
            return steps.reach([this] { return clicked_; }, QStringLiteral("clicked")) &&
                   steps.snap(QStringLiteral("clicked"));
        }

    protected:
        void viewDidLoad() override {
            BZMainController::viewDidLoad();
            view()->installEventFilter(this);
        }
        bool eventFilter(QObject* watched, QEvent* event) override {
            clicked_ = clicked_ || event->type() == QEvent::MouseButtonRelease;
            return BZMainController::eventFilter(watched, event);
        }

    private:
        bool clicked_ = false;
    };
    BZControllerClasses::registerClass(QStringLiteral("DFMainController"),
                                       [] { return std::make_unique<Locator>(); });
    ScreenWindow window(1);
    auto stack = std::make_unique<NavigationController>(std::make_unique<BZHomeController>());
    NavigationController& home = *stack;
    window.screen().setRootViewController(std::move(stack));
    window.show();
    TempDir dir;
    Tour tour(window, home, QString::fromStdString(dir.file("tour")));
    QString error;
    ASSERT_TRUE(tour.run(&error)) << error.toStdString();
    const QStringList& pictures = tour.pictures();
    ASSERT_EQ(pictures.size(), static_cast<qsizetype>(std::size(kScreens)) + 2);
    EXPECT_TRUE(pictures.contains("24-dealer-locator.png"));
    EXPECT_TRUE(pictures.contains("25-dealer-locator-clicked.png"));
    EXPECT_EQ(home.topViewController(), home.viewControllers().front().get());
}
