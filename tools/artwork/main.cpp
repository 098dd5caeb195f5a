#include "AppIcon.h"
#include "Artwork.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

// fretkit-artwork BUNDLE-FOLDER: every bundle image at scale 1 and 2.
// fretkit-artwork --icons FOLDER: the application icon in the icon theme's sizes.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const bool icons = argc == 3 && std::strcmp(argv[1], "--icons") == 0;
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: fretkit-artwork BUNDLE-FOLDER | --icons FOLDER\n");
        return 2;
    }
    QString error;
    const QString folder = QString::fromLocal8Bit(argv[argc - 1]);
    if (!(icons ? AppIcon::writeThemeIcons(folder, &error) : Artwork::writeAll(folder, &error))) {
        std::fprintf(stderr, "fretkit-artwork: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
