#pragma once

#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"
#include "support/Signals.h"
#include "tuner/TNTunerEngine.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// Collects an engine's results as the main thread receives them.
class ResultLog {
public:
    explicit ResultLog(TNTunerEngine& engine) {
        engine.setResultHandler([this](const TNTunerResult& result) { results.push_back(result); });
    }
    // Runs what the engine handed to the main thread so far.
    std::size_t pump() { return fretkit::MainThread::defaultQueue().pump(); }

    std::vector<TNTunerResult> results;
};

// Feeds 16-bit samples through the engine's input path in blocks of `block` frames and runs
// one analysis pass after each, the way a file is read.
inline void feed(TNTunerEngine& engine, const std::vector<std::int16_t>& samples,
                 std::uint32_t block = 1024) {
    for (std::size_t start = 0; start < samples.size(); start += block) {
        const auto frames =
            static_cast<std::uint32_t>(std::min<std::size_t>(block, samples.size() - start));
        engine.input(samples.data() + start, frames, static_cast<double>(start));
        engine.analyseOnce();
    }
}
