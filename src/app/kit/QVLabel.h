#pragma once

#include <QLabel>

// A label that can draw its text over a blurred shadow; a blur of 0 draws a plain label.
class QVLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    float shadowBlur() const { return shadowBlur_; }
    void setShadowBlur(float blur);
    QPointF shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(QPointF offset);
    QColor shadowColor() const { return shadowColor_; }
    void setShadowColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float shadowBlur_ = 0.0f;
    QPointF shadowOffset_{0.0, 1.0};
    QColor shadowColor_{0, 0, 0, 160};
};
