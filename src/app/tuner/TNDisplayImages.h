#pragma once

#include "tuner/TNNote.h"

#include <QPointF>
#include <QString>
#include <optional>

class QPainter;

// The note's letter and sharp sign as both displays draw them: the letter image is the
// display's prefix and the first character of the note's name ("TNStrobe_A", "TNNeedle_6"),
// the sharp sign sits at the letter's upper right.
class TNDisplayImages {
public:
    // The letter image for the note (empty without one) and whether its sharp sign shows.
    static void glyphImages(const QString& prefix, const std::optional<TNNote>& note,
                            QString* letter, bool* sharp);
    // Draws the letter centred on `centre` and, when shown, the sharp sign beside it.
    static void drawGlyph(QPainter& painter, QPointF centre, const QString& letter,
                          const QString& sharpImage, bool sharp);
};
