#pragma once

#include <QAbstractButton>
#include <QString>

// A button of the metronome's screen: a stretchable background image (13-point caps) with its
// title, and a second image for the selected state (the start button shows "stop" while the
// metronome plays). It takes no keyboard focus, so the screen's keys stay with the screen.
class MTMainButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int kCap = 13;

    MTMainButton(QString image, QString title, QWidget* parent = nullptr);

    void setSelectedImage(QString image, QString title);
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    // The title shown now.
    QString currentTitle() const { return selected_ ? selectedTitle_ : title_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString image_;
    QString title_;
    QString selectedImage_;
    QString selectedTitle_;
    bool selected_ = false;
};
