#pragma once

#include "kit/QVTableViewCell.h"

// A row of the home menu on its own wood-and-metal background: the tool's icon at the left, its
// name in bold white and a description of up to two lines under it, and a disclosure arrow.
class BZHomeTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    explicit BZHomeTableViewCell(const QString& reuseIdentifier);
    // Makes the class known to tables by its name, once.
    static void registerByName();

    // Sets the localised "title" and "details" and the "image" when the row has them.
    void setStructure(const fretkit::PlistValue& structure) override;

    static constexpr QRect kImageFrame{3, 1, 67, 75};
    static constexpr QRect kTitleFrame{76, 10, 210, 21};
    static constexpr QRect kDetailFrame{76, 31, 210, 38};

    QPixmap icon() const { return icon_; }

protected:
    void layoutContent() override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap icon_;
};
