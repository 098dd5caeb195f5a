#pragma once

#include <QWidget>

// One input level lamp: lit, it shows the lamp image "TNLED_on"; unlit it draws nothing and the
// screen's background shows the dark lamp. A change of state, and only a change, redraws it.
// Main thread only: the tuner drains the level that the audio thread leaves in the engine.
class TNLED : public QWidget {
    Q_OBJECT

public:
    explicit TNLED(QWidget* parent = nullptr);

    bool isOn() const { return isOn_; }
    void setIsOn(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool isOn_ = false;
};
