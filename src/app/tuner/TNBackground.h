#pragma once

#include <QWidget>

// A bundle image drawn to fill the widget, looked up at each paint so that it follows the
// window's scale.
class TNBackground : public QWidget {
    Q_OBJECT

public:
    TNBackground(QString image, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString image_;
};
