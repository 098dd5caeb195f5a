#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QPainter;

// One bundle image: its name, its size in points and how to draw it in points.
struct ArtworkImage {
    QString name;
    QSize size;
    std::function<void(QPainter&)> draw;
};

// Writes every image at scale 1 ("name.png") and 2 ("name@2x.png") into a folder.
class Artwork {
public:
    static std::vector<ArtworkImage> all();
    // False, with the reason, when a file cannot be written.
    static bool writeAll(const QString& folder, QString* error);
};
