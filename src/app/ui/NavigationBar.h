#pragma once

#include "NavigationItem.h"

#include <QWidget>

// The 320 x 44 bar over a navigation stack: the top screen's title in the middle, its left
// button or else a back button titled by the screen below, its right button. The default style
// draws the bundle's bar image; the black style is a translucent black bar.
class NavigationBar : public QWidget {
    Q_OBJECT

public:
    enum class Style { Default, Black };
    static constexpr int kHeight = 44;

    explicit NavigationBar(QWidget* parent = nullptr);

    Style barStyle() const { return style_; }
    void setBarStyle(Style style);

    // What to show; an empty back title hides the back button.
    void setItem(const NavigationItem& item, const QString& backTitle);
    const NavigationItem& item() const { return item_; }
    QString backTitle() const { return backTitle_; }

    // Where the buttons are, in the bar's coordinates (empty when not shown).
    QRect leftButtonRect() const;
    QRect rightButtonRect() const;

signals:
    void backPressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString leftTitle() const;
    int buttonWidth(const QString& title) const;
    void drawButton(QPainter& painter, const QRect& rect, const QString& title, bool back,
                    bool done, bool pressed) const;
    int imageButtonWidth(const BarButton& button) const;
    void drawImageButton(QPainter& painter, const QRect& rect, const BarButton& button,
                         bool pressed) const;

    Style style_ = Style::Default;
    NavigationItem item_;
    QString backTitle_;
    int pressed_ = 0; // -1 left, 1 right
};
