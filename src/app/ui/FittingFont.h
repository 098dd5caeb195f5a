#pragma once

#include <QFont>
#include <QString>

// Text that must fit a given width: the font is set smaller, a point at a time, down to
// `smallest` pixels, until the text fits; text still too wide is for the caller to cut short.
class FittingFont {
public:
    static QFont fitting(QFont font, const QString& text, double width, int smallest);
};
