#pragma once

#include <QAbstractButton>

// A round step button of the chords screen, drawn from the bundle image of its direction
// ("CHMainController_previous", "CHMainController_next"): pressed it sinks and darkens,
// disabled it fades.
class CHStepButton : public QAbstractButton {
    Q_OBJECT

public:
    enum class Direction { Previous, Next };
    static constexpr int kSize = 44;

    CHStepButton(Direction direction, QWidget* parent);

    Direction direction() const { return direction_; }
    QSize sizeHint() const override { return {kSize, kSize}; }
    static QString imageName(Direction direction);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Direction direction_;
};
