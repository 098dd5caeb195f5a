#pragma once

#include "foundation/PlistValue.h"

// The tunings as the choices of a settings editor: one per tuning, "text" its name,
// "detailText" its spelling (when it has one), "value" its index.
class BZTuningChoices {
public:
    static fretkit::PlistValue fromTunings(const fretkit::PlistValue& tunings);
    // The tuner's list: "Chromatic", then the bundle's tunings.
    static fretkit::PlistValue forTuner();
    // The bundle's tunings, as the fretboard tools offer them.
    static fretkit::PlistValue forFretboards();
};
