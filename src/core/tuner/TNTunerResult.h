#pragma once

#include "TNNote.h"

#include <cstdint>
#include <optional>

// One estimate as the tuner handles it, handed to the main thread.
struct TNTunerResult {
    double frequency = 0.0; // Hz, as the estimator reported it
    double quality = 0.0;
    std::uint64_t frames = 0; // input frames submitted before the analysis pass began
    // The smoothed note; none when the quality is below the threshold or, under a tuning, when
    // the pitch lies between strings. The screen then shows its empty state.
    std::optional<TNNote> note;
};
