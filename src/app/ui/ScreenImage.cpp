#include "ScreenImage.h"

#include "foundation/Bundle.h"

#include <QHash>
#include <QPainter>

namespace {

int currentScale = 1;

QHash<QString, QPixmap>& cache() {
    static QHash<QString, QPixmap> images;
    return images;
}

} // namespace

int ScreenImage::scale() {
    return currentScale;
}

void ScreenImage::setScale(int scale) {
    currentScale = scale >= 2 ? 2 : 1;
}

QPixmap ScreenImage::load(const QString& name, const QString& type) {
    const QString key =
        name + QLatin1Char('.') + type + QLatin1Char('@') + QString::number(currentScale);
    if (auto it = cache().constFind(key); it != cache().constEnd()) {
        return it.value();
    }
    const auto path = fretkit::Bundle::main().pathForResource(name.toStdString(),
                                                              type.toStdString(), currentScale);
    QPixmap image;
    if (path && image.load(QString::fromStdString(*path))) {
        const bool doubled = QString::fromStdString(*path).contains(QLatin1String("@2x."));
        image.setDevicePixelRatio(doubled ? 2.0 : 1.0);
    }
    cache().insert(key, image);
    return image;
}

void ScreenImage::drawStretched(QPainter& painter, const QRect& rect, const QPixmap& image,
                                int leftCap) {
    if (image.isNull()) {
        return;
    }
    const double ratio = image.devicePixelRatio();
    const int width = static_cast<int>(image.width() / ratio);
    const int cap = std::min(leftCap, width / 2);
    const int px = static_cast<int>(cap * ratio);
    const int middle = image.width() - 2 * px;
    const QRectF left(rect.left(), rect.top(), cap, rect.height());
    const QRectF right(rect.right() + 1 - cap, rect.top(), cap, rect.height());
    const QRectF centre(left.right(), rect.top(), rect.width() - 2 * cap, rect.height());
    painter.drawPixmap(left, image, QRectF(0, 0, px, image.height()));
    painter.drawPixmap(centre, image, QRectF(px, 0, std::max(1, middle), image.height()));
    painter.drawPixmap(right, image, QRectF(image.width() - px, 0, px, image.height()));
}
