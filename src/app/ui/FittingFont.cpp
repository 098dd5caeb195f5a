#include "FittingFont.h"

#include <QFontMetricsF>
#include <algorithm>

QFont FittingFont::fitting(QFont font, const QString& text, double width, int smallest) {
    for (int size = font.pixelSize(); size > smallest; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width) {
            return font;
        }
    }
    font.setPixelSize(std::min(smallest, font.pixelSize()));
    return font;
}
