#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>

// One row of a table: a content view with a title, a detail text (beside it or below it) and an
// image; an accessory at the right (disclosure indicator or check mark); a selection highlight.
// In a grouped table the cell draws its part of the rounded group, unless it has no background.
class TableViewCell : public QWidget {
    Q_OBJECT

public:
    enum class Style { Default, Value1, Subtitle };
    enum class Accessory { None, DisclosureIndicator, Checkmark };
    enum class SelectionStyle { None, Blue };
    enum class GroupPosition { Single, First, Middle, Last };

    explicit TableViewCell(Style style = Style::Default, QString reuseIdentifier = {});

    QString reuseIdentifier() const { return reuseIdentifier_; }
    Style style() const { return style_; }

    QWidget* contentView() const { return contentView_; }
    QLabel* textLabel() const { return textLabel_; }
    QLabel* detailTextLabel() const { return detailTextLabel_; }
    void setImage(const QPixmap& image);
    QPixmap image() const { return image_; }

    Accessory accessoryType() const { return accessory_; }
    void setAccessoryType(Accessory accessory);
    SelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(SelectionStyle style) { selectionStyle_ = style; }
    bool isHighlighted() const { return highlighted_; }
    // The title's colour when not highlighted (the theme's text colour by default).
    void setTitleColor(const QColor& color);
    QColor titleColor() const { return titleColor_; }
    void setHighlighted(bool highlighted);

    // Whether the cell draws its part of the group; cells of controls and headers do not.
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws);
    void setGroupPosition(GroupPosition position);

    // Lays the labels out again after their texts changed.
    void relayout() { layoutContent(); }

    // The title and detail colours of the theme.
    static QColor textColor();
    static QColor detailColor();

signals:
    void pressed(TableViewCell* cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Lays out the labels and the image inside the content view.
    virtual void layoutContent();

private:
    QString reuseIdentifier_;
    Style style_;
    QWidget* contentView_;
    QLabel* textLabel_;
    QLabel* detailTextLabel_;
    QPixmap image_;
    Accessory accessory_ = Accessory::None;
    SelectionStyle selectionStyle_ = SelectionStyle::Blue;
    GroupPosition position_ = GroupPosition::Single;
    bool drawsBackground_ = true;
    bool highlighted_ = false;
    QColor titleColor_ = textColor();
};
