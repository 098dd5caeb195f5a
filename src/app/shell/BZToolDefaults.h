#pragma once

#include <QString>

namespace fretkit {
class UserDefaults;
}

// Registers the defaults of a tool screen's settings, once per class, so that every key the
// tool's settings list shows always has a value. The tool is named by its class's two-letter
// prefix: TN tuner, MT metronome, CH chords, SC scales, CF chord finder. Other classes have no
// settings of their own.
class BZToolDefaults {
public:
    static void registerForClass(const QString& className);
    // Every tool's defaults, into any store.
    static void registerAll(fretkit::UserDefaults& defaults);
};
