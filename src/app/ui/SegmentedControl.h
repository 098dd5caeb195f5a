#pragma once

#include <QStringList>
#include <QWidget>

// A row of segments of which one is selected. Only the user's choices are reported
// (selectedByUser); setSelectedSegment does not report.
class SegmentedControl : public QWidget {
    Q_OBJECT

public:
    static constexpr int kNoSegment = -1;

    explicit SegmentedControl(QWidget* parent = nullptr);

    void setSegments(const QStringList& titles);
    const QStringList& segments() const { return segments_; }
    int selectedSegment() const { return selected_; }
    void setSelectedSegment(int index);
    QRect segmentRect(int index) const;

signals:
    void selectedByUser(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QStringList segments_;
    int selected_ = kNoSegment;
};
