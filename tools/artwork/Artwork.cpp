#include "Artwork.h"

#include "AppIcon.h"
#include "FretboardArtwork.h"
#include "KitArtwork.h"
#include "ScalesArtwork.h"
#include "ShellArtwork.h"

#include <QDir>
#include <QImage>
#include <QPainter>

std::vector<ArtworkImage> Artwork::all() {
    std::vector<ArtworkImage> images = KitArtwork::images();
    for (ArtworkImage& image : ShellArtwork::images()) {
        images.push_back(std::move(image));
    }
    for (ArtworkImage& image : FretboardArtwork::images()) {
        images.push_back(std::move(image));
    }
    for (ArtworkImage& image : ScalesArtwork::images()) {
        images.push_back(std::move(image));
    }
    // The window's icon.
    images.push_back({QStringLiteral("Fretkit_icon"), QSize(64, 64), [](QPainter& painter) {
                          painter.scale(0.25, 0.25);
                          AppIcon::draw(painter);
                      }});
    return images;
}

bool Artwork::writeAll(const QString& folder, QString* error) {
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot make the folder %1").arg(folder);
        return false;
    }
    for (const ArtworkImage& image : all()) {
        for (const int scale : {1, 2}) {
            QImage pixels(image.size * scale, QImage::Format_ARGB32_Premultiplied);
            pixels.fill(Qt::transparent);
            {
                QPainter painter(&pixels);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.scale(scale, scale);
                image.draw(painter);
            }
            const QString file = QDir(folder).filePath(
                image.name + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
            if (!pixels.save(file, "PNG")) {
                *error = QStringLiteral("cannot write %1").arg(file);
                return false;
            }
        }
    }
    return true;
}
