#pragma once

#include <QString>
#include <QVariantAnimation>
#include <QWidget>
#include <vector>

class WheelPicker;

// What a wheel picker shows and who hears the user's choices.
class WheelPickerDataSource {
public:
    virtual ~WheelPickerDataSource() = default;
    virtual int numberOfComponents(WheelPicker& picker) = 0;
    virtual int numberOfRows(WheelPicker& picker, int component) = 0;
    virtual QString titleForRow(WheelPicker& picker, int row, int component) = 0;
    virtual int widthForComponent(WheelPicker& picker, int component) = 0;
    // The user turned a wheel to rest on a row.
    virtual void didSelectRow(WheelPicker&, int /*row*/, int /*component*/) {}
};

// Wheels of rows side by side, 216 points high, turned by dragging; the row under the glass
// band in the middle is selected. Selecting from code reports nothing.
class WheelPicker : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 44;
    static constexpr int kHeight = 216;

    explicit WheelPicker(QWidget* parent = nullptr);

    void setDataSource(WheelPickerDataSource* source) { source_ = source; }
    void reloadAllComponents();
    int numberOfComponents() const { return static_cast<int>(wheels_.size()); }
    int selectedRow(int component) const;
    void selectRow(int row, int component, bool animated);
    // The wheel's frame in the picker.
    QRect componentRect(int component) const;
    bool isTurning() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Wheel {
        int rows = 0;
        int width = 0;
        double offset = 0.0; // scroll in points: row r is centred at offset r * kRowHeight
        QVariantAnimation* glide = nullptr;
    };
    int componentAt(QPointF point) const;
    void glideTo(int component, int row, bool report);

    WheelPickerDataSource* source_ = nullptr;
    std::vector<Wheel> wheels_;
    int dragging_ = -1;
    double dragStartY_ = 0.0;
    double dragStartOffset_ = 0.0;
};
