#pragma once

namespace fretkit {
class UserDefaults;
}

// The chord finder's settings keys and their defaults.
class CFSettings {
public:
    static constexpr const char* kTuningKey = "CF_tuning";
    static constexpr const char* kDetuneKey = "CF_detune";
    static constexpr const char* kLeftHandedKey = "CF_leftHanded";

    // The first tuning, undetuned, right-handed.
    static void registerDefaults(fretkit::UserDefaults& defaults);
};
