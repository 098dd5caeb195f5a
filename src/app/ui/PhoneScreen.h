#pragma once

#include <QString>
#include <QWidget>

// The phone's 320 x 480-point screen drawn at a whole-number scale: a navigation bar with the
// title over the screen's content area.
class PhoneScreen : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 480;
    static constexpr int kBarHeight = 44;

    explicit PhoneScreen(int scale, QWidget* parent = nullptr);

    int scale() const { return scale_; }
    void setTitle(const QString& title);
    QString title() const { return title_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int scale_;
    QString title_;
};
