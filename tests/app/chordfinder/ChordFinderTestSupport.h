#pragma once

#include "AnimationClock.h"
#include "BZSettingsController.h"
#include "CFContentView.h"
#include "CFFinger.h"
#include "CFMainController.h"
#include "ShellTestSupport.h"
#include "chordfinder/CFSettings.h"
#include "chordfinder/CFStringLibrary.h"
#include "foundation/Bundle.h"
#include "foundation/ManualTimerScheduler.h"
#include "foundation/UserDefaults.h"
#include "fretboard/BZFretboard.h"
#include "fretboard/BZFretboardContent.h"
#include "fretboard/BZLandscapeView.h"
#include "fretboard/BZStringTitle.h"
#include "kit/QVListEditor.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "support/AudioTestSupport.h"
#include "support/StringSamples.h"
#include "ui/DeviceEvents.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"
#include "ui/TableView.h"

#include <QAction>
#include <QGraphicsView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// The chord finder pushed on a navigation stack in the app's window at scale 1, its hold and
// strum timed by a clock the test moves, its animations by Qt's clock under the test's control.
// The mouse and the keys reach it through the window's view, as on a desktop; its sound is
// rendered buffer by buffer on demand.
class FinderScreen {
public:
    static constexpr std::uint32_t kFrames = 512;

    FinderScreen() : device_(installOfflineDevice(44100.0)) {
        fretkit::UserDefaults& defaults = fretkit::UserDefaults::standard();
        defaults.setInteger(0, CFSettings::kTuningKey);
        defaults.setInteger(0, CFSettings::kDetuneKey);
        defaults.setBool(false, CFSettings::kLeftHandedKey);
        DeviceEvents::setOrientation(DeviceEvents::Portrait);
        auto root = std::make_unique<NavigationController>(std::make_unique<ViewController>());
        stack = root.get();
        window.screen().setRootViewController(std::move(root));
        auto finder = std::make_unique<CFMainController>(&timers);
        screen = finder.get();
        stack->pushViewController(std::move(finder), false);
        window.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window);
        viewport =
            window.findChild<QGraphicsView*>(QString(), Qt::FindDirectChildrenOnly)->viewport();
        clock.advance(0.5); // the push settles
    }
    ~FinderScreen() { DeviceEvents::setOrientation(DeviceEvents::Portrait); }

    BZFretboard& portrait() { return *screen->portraitFretboard(); }
    BZFretboard& landscape() { return *screen->landscapeFretboard(); }
    BZLandscapeView& face() { return *screen->landscapeView(); }
    bool isLandscape() { return face().isShown(); }
    BZFretboard& neck() { return isLandscape() ? landscape() : portrait(); }

    // Where a point of a widget is in the window's view, also on the turned landscape face.
    QPoint onScreen(const QWidget& widget, QPointF point) {
        const QWidget* top = widget.window();
        const QPointF inTop = widget.mapTo(top, point);
        return (top == face().page() ? face().mapPageToScreen(inTop) : inTop).toPoint();
    }
    // The middle of the cell of (string, fret) on the neck shown now.
    QPoint cell(unsigned string, unsigned fret) {
        BZFretboard& fretboard = neck();
        return onScreen(
            *fretboard.contentView(),
            fretboard.isHorizontal()
                ? QPointF(fretboard.positionOfFinger(fret), fretboard.positionOfString(string))
                : QPointF(fretboard.positionOfString(string), fretboard.positionOfFinger(fret)));
    }

    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(viewport, button, Qt::NoModifier, at);
    }
    void move(QPoint at) { QTest::mouseMove(viewport, at); }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(viewport, button, Qt::NoModifier, at);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        press(at, button);
        release(at, button);
    }
    void tap(unsigned string, unsigned fret) { click(cell(string, fret)); }
    // Frets a chord given thickest string first: a fret, 0 for an open string, -1 to mute it.
    void fret(std::initializer_list<int> frets) {
        unsigned s = 0;
        for (const int fret : frets) {
            if (fret > 0) {
                tap(s, static_cast<unsigned>(fret));
            }
            if ((fret < 0) != screen->finder().isMuted(s)) {
                clickTitle(s);
            }
            ++s;
        }
    }
    // A drag across the portrait page at the height of a fret, from the margin beside the neck
    // to the other margin.
    void strumAcross(unsigned fret) {
        const int y = cell(0, fret).y();
        const QPoint from = onScreen(*screen->contentView(), QPointF(10, 0));
        press(QPoint(from.x(), y));
        for (int x = from.x(); x <= from.x() + 300; x += 5) {
            move(QPoint(x, y));
        }
        release(QPoint(from.x() + 300, y));
    }
    void key(Qt::Key key) { QTest::keyClick(viewport, key); }
    void menu(const char* title) {
        for (QAction* action : window.findChildren<QAction*>()) {
            if (action->text() == QLatin1String(title)) {
                action->trigger();
            }
        }
    }
    void turn(const char* side) {
        menu(side);
        clock.advance(0.4);
    }

    // The title button of a string where it stands now.
    BZStringTitle& title(unsigned string) {
        if (isLandscape()) {
            return *screen->landscapeStringTitles()[string];
        }
        const bool left = portrait().leftHanded();
        return *screen->portraitStringTitles()[left ? 5 - string : string];
    }
    void clickTitle(unsigned string) {
        BZStringTitle& button = title(string);
        click(onScreen(button, button.rect().center()));
    }
    QStringList titleTexts(bool landscapeTitles = false) {
        QStringList texts;
        const auto& titles =
            landscapeTitles ? screen->landscapeStringTitles() : screen->portraitStringTitles();
        for (BZStringTitle* title : titles) {
            texts << title->text();
        }
        return texts;
    }
    CFFinger& finger(unsigned string) {
        return isLandscape() ? *screen->landscapeFingers()[string]
                             : *screen->portraitFingers()[string];
    }
    QPoint onFinger(unsigned string) {
        CFFinger& shown = finger(string);
        return onScreen(shown, shown.rect().center());
    }
    bool isOnNeck(const CFFinger& finger) {
        const auto& fingers = finger.fretboard()->fingers();
        return std::any_of(fingers.begin(), fingers.end(),
                           [&](const auto& on) { return on.get() == &finger; }) &&
               finger.isVisible();
    }

    // The alert a shake or Delete brings up, and its answer.
    QMessageBox* alert() {
        AlertView* shown = screen->removeAllAlert();
        return shown ? shown->box() : nullptr;
    }
    void answer(const char* text) {
        QMessageBox* box = alert();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == QLatin1String(text)) {
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    }

    // The next buffer the screen renders, channel 0.
    std::vector<std::int16_t> render() {
        auto out = QVAudioBuffer::bufferWithChannels(2, kFrames);
        screen->renderAudioToBuffer(*out, string_samples::at(time_));
        time_ += kFrames;
        return string_samples::channel(*out);
    }
    // The start of the sample of (string, MIDI note) as it sounds in a string's first buffer:
    // its frame 0 is never played.
    std::vector<std::int16_t> heard(unsigned string, unsigned note) {
        const auto sample = library_.sampleForString(string, note);
        std::vector<std::int16_t> start(kFrames, 0);
        if (sample) {
            std::copy(sample->channel(0) + 1, sample->channel(0) + kFrames, start.begin() + 1);
        }
        return start;
    }
    // Renders until nothing sounds (at most 3 s), so that the next pluck starts afresh.
    void letRingOut() {
        for (int i = 0; i < 300; ++i) {
            render();
        }
    }
    static bool silent(const std::vector<std::int16_t>& samples) {
        return std::all_of(samples.begin(), samples.end(), [](std::int16_t v) { return v == 0; });
    }

    // Opens the settings, chooses the row at `index` of the setting's list and closes them.
    void choose(const std::string& key, int index) {
        NavigationBar* bar = stack->navigationBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->rightButtonRect().center());
        NavigationController* settings = screen->settingsNavigationController();
        if (settings == nullptr) {
            ADD_FAILURE() << "the settings did not open";
            return;
        }
        clock.advance(0.6);
        auto* root = static_cast<BZSettingsController*>(settings->viewControllers().front().get());
        QVTableView* table = root->tableView();
        for (int section = 0; section < table->numberOfSections(); ++section) {
            for (int row = 0; row < table->numberOfRows(section); ++row) {
                QVTableViewCell* cell = table->cellAt({section, row});
                if (cell->key() == key) {
                    QTest::mouseClick(cell, Qt::LeftButton, Qt::NoModifier, cell->rect().center());
                }
            }
        }
        clock.advance(0.6);
        auto* editor = dynamic_cast<QVListEditor*>(settings->topViewController());
        if (editor == nullptr) {
            ADD_FAILURE() << "no list editor for " << key;
            return;
        }
        TableViewCell* choice = editor->tableView()->cellForRow({0, index});
        QTest::mouseClick(choice, Qt::LeftButton, Qt::NoModifier, choice->rect().center());
        // Back to the settings, then Done.
        NavigationBar* settingsBar = settings->navigationBar();
        QTest::mouseClick(settingsBar, Qt::LeftButton, Qt::NoModifier,
                          settingsBar->leftButtonRect().center());
        clock.advance(0.6);
        QTest::mouseClick(settingsBar, Qt::LeftButton, Qt::NoModifier,
                          settingsBar->rightButtonRect().center());
        clock.advance(0.6);
        // The closed settings go for good, as the next turn of the event loop would do.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QApplication& application = shellApplication(); // before any widget
    fretkit::ManualTimerScheduler timers;
    AnimationClock clock;
    ScreenWindow window{1};
    NavigationController* stack = nullptr;
    CFMainController* screen = nullptr;
    QWidget* viewport = nullptr;

private:
    fretkit::host::OfflineAudioDevice& device_;
    fretkit::CFStringLibrary library_{fretkit::Bundle::main(), 44100.0};
    double time_ = kFrames;
};
