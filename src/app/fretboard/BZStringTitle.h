#pragma once

#include <QAbstractButton>

// The button beside a string's end on the chords and chord finder screens: its title is the
// string's note or interval; it can mark the string as the chord's root (a disc behind the title)
// and as open (a grey ring).
class BZStringTitle : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int kSize = 33;
    static constexpr int kRootInset = 4;
    static constexpr int kOpenInset = 5;

    explicit BZStringTitle(QWidget* parent = nullptr);

    bool isRoot() const { return isRoot_; }
    void setIsRoot(bool isRoot);
    bool isOpen() const { return isOpen_; }
    void setIsOpen(bool isOpen);
    // The string's place among the titles, 0 to 5.
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    QSize sizeHint() const override { return {kSize, kSize}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool isRoot_ = false;
    bool isOpen_ = false;
    int tag_ = 0;
};
