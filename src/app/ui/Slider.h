#pragma once

#include <QSlider>

// A horizontal slider over 0 ... 1. Only the user's moves are reported (movedByUser); setValue
// does not report.
class Slider : public QSlider {
    Q_OBJECT

public:
    explicit Slider(QWidget* parent = nullptr);

    float floatValue() const;
    void setFloatValue(float value);

signals:
    void movedByUser(float value);
};
