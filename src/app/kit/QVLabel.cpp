#include "QVLabel.h"

#include <QPainter>
#include <cmath>

namespace {

// Three box-blur passes in each direction over the alpha channel: close to a Gaussian.
void blurAlpha(QImage& image, int radius) {
    if (radius < 1) {
        return;
    }
    const int width = image.width();
    const int height = image.height();
    std::vector<int> alpha(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            alpha[static_cast<std::size_t>(y * width + x)] = qAlpha(image.pixel(x, y));
        }
    }
    std::vector<int> line;
    const auto pass = [&](int count, int length, auto index) {
        line.resize(static_cast<std::size_t>(length));
        for (int i = 0; i < count; ++i) {
            for (int j = 0; j < length; ++j) {
                line[static_cast<std::size_t>(j)] = alpha[index(i, j)];
            }
            for (int j = 0; j < length; ++j) {
                int sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int at = std::clamp(j + k, 0, length - 1);
                    sum += line[static_cast<std::size_t>(at)];
                }
                alpha[index(i, j)] = sum / (2 * radius + 1);
            }
        }
    };
    for (int round = 0; round < 3; ++round) {
        pass(height, width,
             [width](int y, int x) { return static_cast<std::size_t>(y * width + x); });
        pass(width, height,
             [width](int x, int y) { return static_cast<std::size_t>(y * width + x); });
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            image.setPixel(x, y,
                           qRgba(qRed(pixel), qGreen(pixel), qBlue(pixel),
                                 alpha[static_cast<std::size_t>(y * width + x)]));
        }
    }
}

} // namespace

void QVLabel::setShadowBlur(float blur) {
    shadowBlur_ = blur;
    update();
}

void QVLabel::setShadowOffset(QPointF offset) {
    shadowOffset_ = offset;
    update();
}

void QVLabel::setShadowColor(const QColor& color) {
    shadowColor_ = color;
    update();
}

void QVLabel::paintEvent(QPaintEvent* event) {
    if (shadowBlur_ == 0.0f) {
        QLabel::paintEvent(event);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QImage shadow((size() * ratio), QImage::Format_ARGB32);
    shadow.setDevicePixelRatio(ratio);
    shadow.fill(Qt::transparent);
    {
        QPainter painter(&shadow);
        painter.setFont(font());
        painter.setPen(QColor(shadowColor_.red(), shadowColor_.green(), shadowColor_.blue()));
        painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
    }
    blurAlpha(shadow,
              static_cast<int>(std::lround(static_cast<double>(shadowBlur_) * ratio / 2.0)));
    QPainter painter(this);
    painter.setOpacity(shadowColor_.alphaF());
    painter.drawImage(shadowOffset_, shadow);
    painter.setOpacity(1.0);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}
