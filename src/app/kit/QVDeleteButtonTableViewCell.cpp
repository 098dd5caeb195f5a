#include "QVDeleteButtonTableViewCell.h"

#include "ui/ScreenImage.h"

#include <QPainter>

namespace {

// The button face: the stretchable image (left cap 8), darker while pressed.
class StretchButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        ScreenImage::drawStretched(
            painter, rect(),
            ScreenImage::load(QStringLiteral("QVDeleteButtonTableViewCell_background")), 8);
        if (isDown()) {
            painter.fillRect(rect().adjusted(2, 2, -2, -2), QColor(0, 0, 0, 60));
        }
        painter.setFont(font());
        painter.setPen(QColor(0, 0, 0, 110));
        painter.drawText(rect().translated(0, -1), Qt::AlignCenter, text());
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

} // namespace

QVDeleteButtonTableViewCell::QVDeleteButtonTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier), button(new StretchButton(this)) {
    setDrawsBackground(false);
    setSelectionStyle(SelectionStyle::None);
    button->setGeometry(10, 0, 300, 44);
    QFont font;
    font.setPixelSize(19);
    font.setBold(true);
    button->setFont(font);
    connect(button, &QPushButton::clicked, this, [this] { performAction(); });
}

void QVDeleteButtonTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    button->setText(localized(structure["text"]));
}
