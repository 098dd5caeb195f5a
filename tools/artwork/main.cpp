#include "Artwork.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    // Letters are drawn with the system's fonts, which want a GUI application; it opens no
    // window, so it runs offscreen on any machine.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        // Qt asks for a private runtime folder, which a build machine may not name.
        const std::string folder = "/tmp/fretkit-runtime-" + std::to_string(getuid());
        mkdir(folder.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    QGuiApplication application(argc, argv);
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
