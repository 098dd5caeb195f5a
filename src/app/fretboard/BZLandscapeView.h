#pragma once

#include "foundation/NotificationCenter.h"
#include "ui/DeviceEvents.h"
#include "ui/View.h"

#include <QPointer>
#include <functional>

class BZBarButton;
class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;
class QLabel;

// The landscape face of a fretboard screen. Turned to landscape, the phone shows it over the
// whole screen, turned a quarter round so that it reads upright in the phone's new position, the
// status bar hidden; it fades in and out in 0.33 s. A screen fills its page (480 x 320 in the
// page's own, landscape, coordinates): a title and the left and right bar buttons in the bar at
// the top, its larger fretboard and anything else below. Touches reach the page's views in their
// own coordinates, whichever way it is turned.
//
// The screen starts following the phone's orientation as it appears and stops as it disappears
// (which also takes the face off the screen at once). The view belongs to `owner`, usually the
// screen, and is deleted with it.
class BZLandscapeView : public View {
    Q_OBJECT

public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 320;
    static constexpr int kBarHeight = 32;
    static constexpr double kFadeDuration = 0.33;
    static constexpr const char* kShowAnimation = "showLandscape";
    static constexpr const char* kHideAnimation = "hideLandscape";

    explicit BZLandscapeView(QObject& owner);
    ~BZLandscapeView() override;

    // The page the screen fills, 480 x 320. Views added to it while the face is on the screen
    // must be shown by whoever adds them, as in any shown view.
    QWidget* page() const { return page_; }
    // The room below the bar, in the page's coordinates.
    static QRect contentRect() { return {0, kBarHeight, kWidth, kHeight - kBarHeight}; }
    QWidget* bar() const { return bar_; }
    QLabel* titleLabel() const { return titleLabel_; }
    // The title dims through its colour, since an opacity effect draws nothing in the turned
    // scene.
    void setTitleAlpha(double alpha);
    double titleAlpha() const { return titleAlpha_; }
    // Hidden until the screen shows them.
    BZBarButton* leftButton() const { return leftButton_; }
    BZBarButton* rightButton() const { return rightButton_; }

    void startObservingOrientation();
    void stopObservingOrientation();
    // Portrait hides the face, either landscape shows it turned that way; others change nothing.
    void orientationChanged(DeviceEvents::Orientation orientation);

    // Whether the face is on the screen (also while it fades out).
    bool isShown() const { return parentWidget() != nullptr; }
    // +pi/2 for landscape left, -pi/2 for landscape right, 0 while not shown.
    double landscapeRotate() const { return landscapeRotate_; }

    // Called as the face is put on the screen and as it starts to go (a screen moves its first
    // responder to the fretboard that becomes visible).
    void setWillShow(std::function<void()> willShow) { willShow_ = std::move(willShow); }
    void setWillHide(std::function<void()> willHide) { willHide_ = std::move(willHide); }

    // A point of the page in the phone screen's coordinates, as the face is turned now.
    QPointF mapPageToScreen(QPointF point) const;
    QGraphicsView* graphicsView() const { return graphics_; }

private:
    void appear(DeviceEvents::Orientation orientation);
    void disappear();
    void turn(double radians);
    void takeOffScreen();

    QWidget* page_;
    QWidget* bar_;
    QLabel* titleLabel_;
    double titleAlpha_ = 1.0;
    BZBarButton* leftButton_;
    BZBarButton* rightButton_;
    QGraphicsScene* scene_;
    QGraphicsProxyWidget* proxy_;
    QGraphicsView* graphics_;
    double landscapeRotate_ = 0.0;
    bool observing_ = false;
    fretkit::NotificationCenter::Token observer_ = 0;
    std::function<void()> willShow_;
    std::function<void()> willHide_;
};
