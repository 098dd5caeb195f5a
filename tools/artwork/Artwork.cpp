#include "Artwork.h"

#include "AppIcon.h"
#include "ChordFinderArtwork.h"
#include "ChordsArtwork.h"
#include "FretboardArtwork.h"
#include "KitArtwork.h"
#include "LocatorArtwork.h"
#include "MetronomeArtwork.h"
#include "ScalesArtwork.h"
#include "ShellArtwork.h"
#include "TunerArtwork.h"

#include <QDir>
#include <QImage>
#include <QPainter>

namespace {

// The window's icon.
std::vector<ArtworkImage> windowIcon() {
    return {{QStringLiteral("Fretkit_icon"), QSize(64, 64), [](QPainter& painter) {
                 painter.scale(0.25, 0.25);
                 AppIcon::draw(painter);
             }}};
}

} // namespace

std::vector<ArtworkImage> Artwork::all() {
    // One line per part of the app that draws images.
    // clang-format off
    const std::vector<std::vector<ArtworkImage> (*)()> parts{
        KitArtwork::images,
        ShellArtwork::images,
        windowIcon,
        FretboardArtwork::images,
        MetronomeArtwork::images,
        TunerArtwork::images,
        LocatorArtwork::images,
        ChordsArtwork::images,
        ChordFinderArtwork::images,
        ScalesArtwork::images,
    };
    // clang-format on
    std::vector<ArtworkImage> images;
    for (const auto part : parts) {
        for (ArtworkImage& image : part()) {
            images.push_back(std::move(image));
        }
    }
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
