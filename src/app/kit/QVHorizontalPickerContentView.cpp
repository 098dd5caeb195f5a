#include "QVHorizontalPickerContentView.h"

#include "QVHorizontalPickerView.h"

#include <QPainter>

QVHorizontalPickerContentView::QVHorizontalPickerContentView(QVHorizontalPickerView* picker)
    : QWidget(picker), picker_(picker) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void QVHorizontalPickerContentView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QFont font = QVHorizontalPickerView::itemFont();
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetricsF metrics(font);
    const double midY = height() / 2.0;
    const auto& items = picker_->items();
    const auto& widths = picker_->widths();
    const auto& positions = picker_->positions();
    for (std::size_t i = 0; i < items.size() && i < positions.size(); ++i) {
        if (positions[i] == QVHorizontalPickerView::kNotFound) {
            continue;
        }
        const double left = positions[i] - 4.0;
        const double centre = left + static_cast<double>(widths[i]) / 2.0;
        if (const auto* text = std::get_if<QString>(&items[i])) {
            const double textWidth = metrics.horizontalAdvance(*text);
            const double top = midY - metrics.height() / 2.0;
            painter.drawText(QPointF(centre - textWidth / 2.0, top + metrics.ascent()), *text);
        } else if (const auto* image = std::get_if<QPixmap>(&items[i])) {
            const QSizeF size = image->deviceIndependentSize();
            painter.drawPixmap(
                QPointF(centre - size.width() / 2.0, static_cast<int>(midY - size.height() / 2.0)),
                *image);
        }
    }
}
