#pragma once

#include <QVariantAnimation>
#include <QWidget>

// The rounded dark panel with a turning spinner shown while a search runs. When the first answer
// arrives it grows to one and a half times its size about its centre while it fades away.
class DFProgressView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSide = 96;
    static constexpr double kHideDuration = 0.3;

    explicit DFProgressView(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }

    // Back at `frame`, at full size and opaque, spinning.
    void reset(const QRect& frame);
    // Grows and fades out, then hides; Qt's animation clock drives it.
    void hideAnimated();
    // Hides at once, as a failed search does.
    void hideNow();
    bool isHiding() const { return hiding_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QString text_;
    QVariantAnimation spin_;
    QRect home_;
    bool hiding_ = false;
};
