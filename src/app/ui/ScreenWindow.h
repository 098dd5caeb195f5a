#pragma once

#include <QImage>
#include <QMainWindow>

class PhoneScreen;
class QGraphicsProxyWidget;
class QGraphicsView;

// The desktop window that holds the phone screen at scale 1 or 2, with a View menu to change the
// scale and a Device menu to shake the phone and turn it.
class ScreenWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit ScreenWindow(int scale, QWidget* parent = nullptr);

    PhoneScreen& screen() { return *screen_; }
    int scale() const { return scale_; }
    void setScale(int scale);

    // The screen as it is drawn now, at the window's scale.
    QImage snapshot();

private:
    void buildMenus();

    PhoneScreen* screen_;
    QGraphicsView* view_;
    QGraphicsProxyWidget* proxy_;
    int scale_ = 1;
};
