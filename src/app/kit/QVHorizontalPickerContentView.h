#pragma once

#include <QWidget>

class QVHorizontalPickerView;

// Draws a horizontal picker's items at the places the picker computed, in the current colour.
class QVHorizontalPickerContentView : public QWidget {
    Q_OBJECT

public:
    explicit QVHorizontalPickerContentView(QVHorizontalPickerView* picker);

    QVHorizontalPickerView* picker() const { return picker_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVHorizontalPickerView* picker_;
};
