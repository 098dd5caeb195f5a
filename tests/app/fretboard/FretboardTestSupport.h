#pragma once

#include "ScreenTestSupport.h"
#include "fretboard/BZFretboard.h"
#include "fretboard/BZFretboardContent.h"
#include "fretboard/BZFretboardDelegate.h"
#include "fretboard/BZLandscapeView.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"
#include "ui/ViewController.h"

#include <QGraphicsView>
#include <string>
#include <utility>
#include <vector>

// Writes down what a fretboard tells its delegate: "tap 3 9", "pluck 2 4", "strum 1", "shake".
class Recorder : public BZFretboardDelegate,
                 public BZFretboardDidTapString,
                 public BZFretboardDidPluckString,
                 public BZFretboardDidStrum,
                 public BZFretboardDidShake {
public:
    std::vector<std::string> heard;

    std::vector<std::string> take() { return std::exchange(heard, {}); }
    void fretboardDidTapString(BZFretboard&, unsigned string, unsigned fret) override {
        heard.push_back("tap " + std::to_string(string) + " " + std::to_string(fret));
    }
    void fretboardDidPluckString(BZFretboard&, unsigned string, unsigned fret) override {
        heard.push_back("pluck " + std::to_string(string) + " " + std::to_string(fret));
    }
    void fretboardDidStrum(BZFretboard&, int direction) override {
        heard.push_back("strum " + std::to_string(direction));
    }
    void fretboardDidShake(BZFretboard&) override { heard.push_back("shake"); }
};

// The app's window at scale 1 with an empty page on its phone screen. The mouse plays at points
// of the phone screen and reaches the widgets through the window's view, as a desktop mouse
// does: a press goes to the widget under it, which keeps the moves and the release.
class PhoneWindow {
public:
    PhoneWindow() : window_(1) {
        auto root = std::make_unique<ViewController>();
        page_ = root->view();
        window_.screen().setRootViewController(std::move(root));
        window_.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window_);
        viewport_ =
            window_.findChild<QGraphicsView*>(QString(), Qt::FindDirectChildrenOnly)->viewport();
    }

    ScreenWindow& window() { return window_; }
    PhoneScreen& screen() { return window_.screen(); }
    // The application frame's page, below the status bar (at y 20 on the screen).
    QWidget* page() const { return page_; }

    // A fretboard on the page, shown, telling `delegate`.
    BZFretboard* addFretboard(const QRect& frame, BZFretboardDelegate* delegate,
                              QWidget* parent = nullptr) {
        auto* fretboard = new BZFretboard(frame, parent ? parent : page_);
        fretboard->setFretboardDelegate(delegate);
        fretboard->show();
        return fretboard;
    }

    // Where a point of the fretboard's neck (content coordinates) is on the phone screen, also
    // on a turned landscape face.
    QPoint onScreen(const BZFretboard& fretboard, QPointF point,
                    const BZLandscapeView* face = nullptr) const {
        const QWidget* content = fretboard.contentView();
        const QWidget* top = content->window();
        const QPointF inTop = content->mapTo(top, point);
        return (face ? face->mapPageToScreen(inTop) : inTop).toPoint();
    }

    // What the window shows, in the same coordinates as the mouse.
    QImage picture() const { return viewport_->grab().toImage(); }

    void press(QPoint at) { QTest::mousePress(viewport_, Qt::LeftButton, Qt::NoModifier, at); }
    void move(QPoint at) { QTest::mouseMove(viewport_, at); }
    void release(QPoint at) { QTest::mouseRelease(viewport_, Qt::LeftButton, Qt::NoModifier, at); }
    void click(QPoint at) {
        press(at);
        release(at);
    }
    // A press, a move every `step` points along the line, a release at the end.
    void drag(QPoint from, QPoint to, int step = 1) {
        press(from);
        const QPointF delta = to - from;
        const int steps = std::max(1, static_cast<int>(std::hypot(delta.x(), delta.y()) / step));
        for (int i = 1; i <= steps; ++i) {
            move((QPointF(from) + delta * i / steps).toPoint());
        }
        release(to);
    }
    // Several strokes in one touch: a press at the first point, moves through the others.
    void stroke(const std::vector<QPoint>& points, int step = 1) {
        press(points.front());
        for (std::size_t i = 1; i < points.size(); ++i) {
            const QPointF from = points[i - 1];
            const QPointF delta = QPointF(points[i]) - from;
            const int steps =
                std::max(1, static_cast<int>(std::hypot(delta.x(), delta.y()) / step));
            for (int k = 1; k <= steps; ++k) {
                move((from + delta * k / steps).toPoint());
            }
        }
        release(points.back());
    }

private:
    QApplication& application_ = screenApplication();
    ScreenWindow window_;
    QWidget* page_ = nullptr;
    QWidget* viewport_ = nullptr;
};
