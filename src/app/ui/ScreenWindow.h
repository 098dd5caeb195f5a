#pragma once

#include <QImage>
#include <QWidget>

class PhoneScreen;

// The desktop window that holds the phone screen.
class ScreenWindow : public QWidget {
    Q_OBJECT

public:
    explicit ScreenWindow(int scale, QWidget* parent = nullptr);

    PhoneScreen& screen() { return *screen_; }

    // The screen as it is drawn now, at the window's scale.
    QImage snapshot();

private:
    PhoneScreen* screen_;
};
