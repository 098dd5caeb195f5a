#pragma once

#include <QString>

class QPainter;

// The application's icon: a guitar pick over strings and a fret on a rosewood tile with a brass
// rim, drawn on a 256-unit square at any size. The desktop's icon theme gets it at the usual
// sizes; the bundle has it for the window.
class AppIcon {
public:
    static constexpr const char* kName = "org.fretkit.Fretkit";
    static void draw(QPainter& painter);
    // Writes "<size>x<size>/apps/org.fretkit.Fretkit.png" for the theme's sizes into `folder`.
    static bool writeThemeIcons(const QString& folder, QString* error);
};
