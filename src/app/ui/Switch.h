#pragma once

#include <QWidget>

// An on/off switch. Only the user's changes are reported (toggledByUser); setOn does not.
class Switch : public QWidget {
    Q_OBJECT

public:
    explicit Switch(QWidget* parent = nullptr);

    bool isOn() const { return on_; }
    void setOn(bool on);

signals:
    void toggledByUser(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool on_ = false;
};
