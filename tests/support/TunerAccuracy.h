#pragma once

#include "Signals.h"
#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"
#include "tuner/TNTunerEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

// Measures how the tuner reads synthesised plucked strings: every file goes through the
// engine's input path in blocks of 1024 frames with one analysis pass per block, and every
// accepted note is compared with the pitch that was played.
namespace accuracy {

struct Case {
    int midiNote;
    double centsOff; // the played pitch's offset from the note
    unsigned variant;
};

struct Summary {
    std::size_t plucks = 0;
    std::size_t passes = 0;
    std::size_t accepted = 0;
    std::size_t wrongNote = 0;
    std::vector<double> centsErrors; // absolute, of the accepted readings of the right note

    double grossErrorRate() const {
        return accepted == 0 ? 1.0 : static_cast<double>(wrongNote) / static_cast<double>(accepted);
    }
    double percentile(double p) const {
        if (centsErrors.empty()) {
            return 0.0;
        }
        std::vector<double> sorted = centsErrors;
        std::sort(sorted.begin(), sorted.end());
        const auto index = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1));
        return sorted[index];
    }
};

// A string as a guitar has it: lower strings are wound (less stiff, slower decay), the pluck
// point, the level and the background noise vary from pluck to pluck.
inline signals::Pluck pluckFor(const Case& c, double seconds) {
    std::mt19937 random(static_cast<unsigned>(c.midiNote * 131 + static_cast<int>(c.variant)));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    signals::Pluck p;
    p.frequency = 440.0 * std::exp2((c.midiNote + c.centsOff / 100.0 - 69.0) / 12.0);
    p.seconds = seconds;
    const double height = (c.midiNote - 40) / 48.0; // 0 at E2, 1 at E6
    p.inharmonicity = 1e-5 * std::pow(30.0, height) * (0.7 + 0.6 * unit(random));
    p.pluckPoint = 0.07 + 0.15 * unit(random);
    p.decay = 0.6 + 3.0 * height + unit(random);
    p.noiseLevel = 0.001 + 0.004 * unit(random);
    p.peak = 0.2 + 0.6 * unit(random);
    // Every other pluck through a small microphone that hears little below 150 Hz.
    p.lowCut = c.variant % 3 == 1 ? 150.0 : (c.variant % 3 == 2 ? 300.0 : 0.0);
    p.seed = c.variant + 1;
    return p;
}

// `noiseScale` multiplies the pluck's background noise.
inline void measure(const Case& c, double seconds, Summary& summary, double noiseScale = 1.0) {
    constexpr double kRate = 44100.0;
    signals::Pluck pluck = pluckFor(c, seconds);
    pluck.noiseLevel *= noiseScale;
    const auto samples = signals::toInt16(signals::pluck(pluck, kRate));
    auto engine = TNTunerEngine::create(kRate, TNTunings(fretkit::PlistValue()));
    const double played = c.midiNote + c.centsOff / 100.0;
    engine->setResultHandler([&](const TNTunerResult& result) {
        if (!result.note) {
            return;
        }
        ++summary.accepted;
        if (result.note->midiNote() != c.midiNote) {
            ++summary.wrongNote;
            return;
        }
        const double read =
            result.note->midiNote() + static_cast<double>(result.note->chromaticOffset()) / 100.0;
        summary.centsErrors.push_back(std::fabs(read - played) * 100.0);
    });
    for (std::size_t start = 0; start < samples.size(); start += 1024) {
        const auto frames =
            static_cast<std::uint32_t>(std::min<std::size_t>(1024, samples.size() - start));
        engine->input(samples.data() + start, frames, static_cast<double>(start));
        engine->analyseOnce();
        ++summary.passes;
    }
    fretkit::MainThread::defaultQueue().pump();
    ++summary.plucks;
}

// The whole neck, E2 to E6 in semitone steps, each note at several offsets from it and with
// several plucks; `measureOne` measures one case into its summary. Prints the cases that read
// another note and answers the summary of them all.
inline Summary measureNeck(const std::function<void(const Case&, Summary&)>& measureOne) {
    const double offsets[] = {-30.0, -12.0, 0.0, 7.0, 25.0};
    Summary all;
    for (int note = 40; note <= 88; ++note) {
        for (unsigned variant = 0; variant < 3; ++variant) {
            const Case c{note, offsets[(static_cast<unsigned>(note) + variant) % 5], variant};
            Summary one;
            measureOne(c, one);
            if (one.wrongNote > 0) {
                std::printf("MIDI %d, pluck %u: %zu of %zu readings name another note\n", note,
                            variant, one.wrongNote, one.accepted);
            }
            all.plucks += one.plucks;
            all.passes += one.passes;
            all.accepted += one.accepted;
            all.wrongNote += one.wrongNote;
            all.centsErrors.insert(all.centsErrors.end(), one.centsErrors.begin(),
                                   one.centsErrors.end());
        }
    }
    return all;
}

inline void print(const Summary& all) {
    std::printf("plucks %zu, passes %zu, readings %zu (%.1f %% of passes)\n", all.plucks,
                all.passes, all.accepted,
                100.0 * static_cast<double>(all.accepted) / static_cast<double>(all.passes));
    std::printf("wrong note: %zu (%.2f %%)\n", all.wrongNote, 100.0 * all.grossErrorRate());
    std::printf("cents error: median %.2f, 95th percentile %.2f, largest %.2f\n",
                all.percentile(0.5), all.percentile(0.95), all.percentile(1.0));
}

} // namespace accuracy
