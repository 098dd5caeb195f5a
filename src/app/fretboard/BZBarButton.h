#pragma once

#include <QAbstractButton>

// A button of the landscape bar: an arrow (or a short title) on a dark rounded plate, dimmed
// while disabled. The fretboard screens step through shapes and patterns with a pair of them.
class BZBarButton : public QAbstractButton {
    Q_OBJECT

public:
    enum class Arrow { None, Left, Right };
    static constexpr int kWidth = 44;
    static constexpr int kHeight = 26;

    explicit BZBarButton(Arrow arrow, QWidget* parent = nullptr);

    Arrow arrow() const { return arrow_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Arrow arrow_;
};
