#pragma once

namespace fretkit {
class UserDefaults;
}

// The chords screen's settings keys and their defaults.
class CHSettings {
public:
    static constexpr const char* kRootKey = "CH_root";
    static constexpr const char* kVariantKey = "CH_variant";
    static constexpr const char* kLeftHandedKey = "CH_leftHanded";
    static constexpr const char* kIntervalsKey = "CH_intervals";

    // Root 13 (E), variant 0 (the triad), right-handed, note names on the strings.
    static void registerDefaults(fretkit::UserDefaults& defaults);
};
