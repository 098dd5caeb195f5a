#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fretkit {
class Bundle;
class UserDefaults;
} // namespace fretkit

// The metronome's settings keys, their defaults, and its click resources.
class MTSettings {
public:
    static constexpr const char* kTempoKey = "MT_tempo";
    static constexpr const char* kMovementStyleKey = "MT_movementStyle";
    static constexpr const char* kFlashOnBarKey = "MT_flashOnBar";
    static constexpr const char* kTimeSignatureKey = "MT_timeSignature";
    static constexpr const char* kSoundNameKey = "MT_soundName";
    static constexpr const char* kDefaultSoundName = "Blip";
    static constexpr const char* kClickType = "click";

    // Tempo 120, movement style 1 (ease in), no bar flash, no time signature, "Blip".
    static void registerDefaults(fretkit::UserDefaults& defaults);

    // The click resource `name`.click (MTClickFormat). Nullopt with the reason in `error` when it
    // is missing or unreadable.
    static std::optional<std::vector<std::int16_t>>
    loadClick(const fretkit::Bundle& bundle, const std::string& name, std::string* error);
    // The names of the click resources in the bundle, sorted.
    static std::vector<std::string> clickNames(const fretkit::Bundle& bundle);
};
