#include "AppIcon.h"
#include "Artwork.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// fretkit-artwork BUNDLE-FOLDER: every bundle image at scale 1 and 2.
// fretkit-artwork --icons FOLDER: the application icon in the icon theme's sizes.
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
