#pragma once

#include <QAbstractButton>
#include <QString>

// A button of the scales screen drawn from the bundle's artwork: "<image>" at rest and
// "<image>_pressed" while held, faded while disabled. It takes no keyboard focus, so that the
// screen's keys stay with the screen.
class SCImageButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr double kDisabledOpacity = 0.35;

    explicit SCImageButton(QString image, QWidget* parent = nullptr);

    const QString& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString image_;
};
