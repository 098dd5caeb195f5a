#pragma once

namespace fretkit {
class UserDefaults;
}

// The scales screen's settings keys and their defaults.
class SCSettings {
public:
    static constexpr const char* kRootIndexKey = "SC_rootIndex";
    static constexpr const char* kGroupKey = "SC_group";
    static constexpr const char* kTypeKey = "SC_type";
    static constexpr const char* kTuningKey = "SC_tuning";
    static constexpr const char* kDetuneKey = "SC_detune";
    static constexpr const char* kAllowStretchedKey = "SC_allowStretched";
    static constexpr const char* kFingerLabelsKey = "SC_fingerLabels";
    static constexpr const char* kLeftHandedKey = "SC_leftHanded";
    static constexpr const char* kPlayAllNotesKey = "SC_playAllNotes";
    static constexpr const char* kPlaybackSpeedKey = "SC_playbackSpeed";

    // Root row 5, the first group and type, the first tuning undetuned, no stretched patterns,
    // finger numbers, right-handed, playback from the first root, speed 0.5 (a note every
    // half second).
    static void registerDefaults(fretkit::UserDefaults& defaults);
};
