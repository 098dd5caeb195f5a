#include "Artwork.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fretkit-artwork BUNDLE-FOLDER\n");
        return 2;
    }
    QString error;
    if (!Artwork::writeAll(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "fretkit-artwork: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
