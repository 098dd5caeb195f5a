#pragma once

#include "AnimationClock.h"
#include "CHChordNameView.h"
#include "CHContentView.h"
#include "CHFinger.h"
#include "CHMainController.h"
#include "ShellTestSupport.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"
#include "chords/CHSettings.h"
#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "fretboard/BZFretboardContent.h"
#include "kit/QVListEditor.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"

#include <QAction>
#include <QGraphicsView>
#include <QVariantAnimation>
#include <array>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace chords_test {

// Spelled notes and variants the tests use.
enum : int { C = 7, D = 10, E = 13, G = 19, kMajorTriad = 0, kMinorTriad = 20 };

// One row of the chord file, as a player writes the shape: per string (thickest first) 'x'
// muted, 'o' open, or the fret ('a' for 10 and on); "x32o1o" with base fret 1 is open C. Then
// the fingers, '-' where none, and the spelled notes sounded.
inline std::vector<int> shape(int root, int variant, int baseFret, const char* frets,
                              const char* fingers, std::array<int, 6> notes) {
    std::vector<int> row = {root, variant, baseFret};
    for (int s = 0; s < 6; ++s) {
        const char mark = frets[s];
        const int fret = mark >= 'a' ? mark - 'a' + 10 : mark - '0';
        const int code = mark == 'x' ? 5 : mark == 'o' ? 6 : fret - baseFret;
        const int finger = fingers[s] >= '0' && fingers[s] <= '4' ? fingers[s] - '0' : 0;
        row.insert(row.end(), {finger, code, 0, notes[static_cast<std::size_t>(s)]});
    }
    return row;
}

// Three shapes of C major (open, A-shape barre at 3, E-shape barre at 8) and one of E minor.
inline std::vector<std::vector<int>> testShapes() {
    return {
        shape(C, kMajorTriad, 1, "x32o1o", "-32-1-", {0, C, E, G, C, E}),
        shape(C, kMajorTriad, 3, "x35553", "-13331", {0, C, G, C, E, G}),
        shape(C, kMajorTriad, 8, "8aa988", "134211", {C, G, C, E, G, C}),
        shape(E, kMinorTriad, 1, "o22ooo", "-23---", {E, 4, E, G, 4, E}),
    };
}

// A chord file with the table the app reads, holding `rows`.
inline std::string writeChordFile(const std::string& path,
                                  const std::vector<std::vector<int>>& rows) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    std::string create = "CREATE TABLE chords (root INTEGER, variant INTEGER, baseFret INTEGER";
    for (int column = 3; column < 27; ++column) {
        create += ", c";
        create += std::to_string(column);
        create += " INTEGER";
    }
    sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr);
    for (const auto& row : rows) {
        std::string insert = "INSERT INTO chords VALUES (";
        for (std::size_t i = 0; i < row.size(); ++i) {
            insert += i ? "," : "";
            insert += std::to_string(row[i]);
        }
        sqlite3_exec(db, (insert + ")").c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    return path;
}

// The chords screen alone on the app's window at scale 1, on the test chord file, with the
// stored chord C major and the other settings at their defaults. The mouse plays at points of
// the phone screen through the window's view, as a desktop mouse does; Qt's animations run on
// the test's clock.
class ChordsScreen {
    QApplication& application_ = shellApplication(); // first: everything below needs it

public:
    explicit ChordsScreen(int root = C, int variant = kMajorTriad) : window_(1) {
        fretkit::UserDefaults& defaults = fretkit::UserDefaults::standard();
        for (const char* key : {CHSettings::kLeftHandedKey, CHSettings::kIntervalsKey}) {
            defaults.removeObjectForKey(key);
        }
        defaults.setInteger(root, CHSettings::kRootKey);
        defaults.setInteger(variant, CHSettings::kVariantKey);
        auto screen = std::make_unique<CHMainController>(std::make_unique<fretkit::CHDatabase>(
            writeChordFile(dir_.file("chords.db"), testShapes())));
        screen_ = screen.get();
        window_.screen().setRootViewController(
            std::make_unique<NavigationController>(std::move(screen)));
        window_.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window_);
        viewport_ =
            window_.findChild<QGraphicsView*>(QString(), Qt::FindDirectChildrenOnly)->viewport();
        // Qt adds the wall time during which no animation ran to the next one's first frame;
        // an animation that never ends keeps the clock's time the only time.
        keepAlive_.setDuration(1000000);
        keepAlive_.setStartValue(0.0);
        keepAlive_.setEndValue(1.0);
        keepAlive_.setLoopCount(-1);
        keepAlive_.start();
        clock.advance(0.5);
    }
    ~ChordsScreen() { turn("Portrait"); }

    CHMainController& screen() { return *screen_; }
    NavigationBar& bar() { return *screen_->navigationController()->navigationBar(); }

    // Where a point of a widget on the phone screen is.
    QPoint at(const QWidget& widget, QPointF point) const {
        return widget.mapTo(&const_cast<ScreenWindow&>(window_).screen(), point).toPoint();
    }
    QPoint centreOf(const QWidget& widget) const {
        return at(widget, QRectF(widget.rect()).center());
    }
    // Where a point of a neck (its content's coordinates) is on the screen, as it is now.
    QPoint onNeck(const BZFretboard& neck, QPointF point) const {
        const QPointF inNeck = neck.contentView()->mapTo(&neck, point);
        if (&neck == screen_->portraitFretboardView()) {
            const CHContentView& room = *screen_->portraitContentView();
            return at(room, room.mapFromFretboard(inNeck));
        }
        const BZLandscapeView& face = *screen_->landscapeView();
        return face.mapPageToScreen(neck.mapTo(face.page(), inNeck)).toPoint();
    }
    // The middle of a string at a fret of a neck, on the screen.
    QPoint string(const BZFretboard& neck, unsigned string, unsigned fret) const {
        const double across = neck.positionOfString(string);
        const double along = neck.positionOfFinger(fret);
        return onNeck(neck, neck.isHorizontal() ? QPointF(along, across) : QPointF(across, along));
    }

    // A press and release; a click then lets half a second of animations run.
    void tap(QPoint at) { QTest::mouseClick(viewport_, Qt::LeftButton, Qt::NoModifier, at); }
    void click(QPoint at) {
        tap(at);
        clock.advance(0.5);
    }
    void click(const QWidget& widget) { click(centreOf(widget)); }
    // A press, a move every point along the line, a release.
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(viewport_, Qt::LeftButton, Qt::NoModifier, from);
        const QPointF delta = to - from;
        const int steps = std::max(1, static_cast<int>(std::hypot(delta.x(), delta.y())));
        for (int i = 1; i <= steps; ++i) {
            QTest::mouseMove(viewport_, (QPointF(from) + delta * i / steps).toPoint());
        }
        QTest::mouseRelease(viewport_, Qt::LeftButton, Qt::NoModifier, to);
    }
    void key(int key) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window_,
                        static_cast<Qt::Key>(key));
    }
    // The phone turned through the window's Device menu.
    void turn(const char* title) {
        for (QAction* action : window_.findChildren<QAction*>()) {
            if (action->text() == QLatin1String(title)) {
                action->trigger();
            }
        }
        clock.advance(0.5);
    }
    // A setting chosen in its list editor, as the settings screen reports it to the screen.
    void set(const char* key, bool value) {
        const fretkit::PlistValue rows =
            fretkit::Bundle::main().propertyList("CHSettings").value_or(fretkit::PlistValue());
        QVListEditor editor;
        for (std::size_t r = 0; r < rows[0]["contents"].count(); ++r) {
            if (rows[0]["contents"][r]["key"].stringValue() == key) {
                editor.setStructure(rows[0]["contents"][r]);
            }
        }
        editor.selectItemWithValue(fretkit::PlistValue(value));
        screen_->listEditorValueDidChange(editor);
        clock.advance(0.5);
    }

    // Renders one buffer of 512 frames at the next time; answers its channel 0.
    std::vector<std::int16_t> render() {
        auto buffer = QVAudioBuffer::bufferWithChannels(2, 512);
        fretkit::host::AudioTimeStamp stamp{};
        stamp.mSampleTime = time_;
        stamp.mFlags = fretkit::host::kAudioTimeStampSampleTimeValid;
        time_ += 512.0;
        screen_->renderAudioToBuffer(*buffer, QVAudioTimeStamp(stamp));
        return {buffer->channel(0), buffer->channel(0) + buffer->frames()};
    }
    // The strings that sound after a buffer is rendered, with the samples all loaded.
    std::vector<unsigned> sounding() {
        screen_->player().waitUntilLoaded();
        render();
        std::vector<unsigned> strings;
        for (unsigned s = 0; s < 6; ++s) {
            if (screen_->player().player().isSounding(s)) {
                strings.push_back(s);
            }
        }
        return strings;
    }

    AnimationClock clock;

private:
    TempDir dir_;
    QVariantAnimation keepAlive_;
    ScreenWindow window_;
    CHMainController* screen_ = nullptr;
    QWidget* viewport_ = nullptr;
    double time_ = 1.0;
};

} // namespace chords_test
