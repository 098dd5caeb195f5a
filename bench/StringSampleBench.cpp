#include "audio/QVSampleDecoder.h"
#include "support/StringSamples.h"
#include "support/TempDir.h"

#include <array>
#include <benchmark/benchmark.h>

// Loading a chord's six string samples (two seconds each, 16-bit mono at 48 kHz): decoded and
// converted to the 44.1 kHz session rate at the converter's best quality, against reading the
// same files at their own rate (no conversion). The ratio of the two is the conversion's cost.
// The bundle's samples are made at 44.1 kHz, so at the usual session rate a load costs what the
// raw case does; the converted case is what a session at another rate pays.

namespace {

constexpr int kFileRate = 48000;
constexpr std::array<unsigned, 6> kNotes = {40, 47, 52, 56, 59, 64}; // open E major

class ChordFiles {
public:
    ChordFiles() {
        for (unsigned s = 0; s < kNotes.size(); ++s) {
            string_samples::writeStringSample(dir_.path().string(), s, kNotes[s], kFileRate,
                                              QVSampleDecoder::kStringSampleSeconds);
            paths_.push_back(dir_.file(QVSampleDecoder::stringSampleName(s, kNotes[s]) + ".aif"));
        }
    }
    const std::vector<std::string>& paths() const { return paths_; }

private:
    TempDir dir_;
    std::vector<std::string> paths_;
};

const ChordFiles& files() {
    static const ChordFiles made;
    return made;
}

void loadChord(benchmark::State& state, double rate) {
    const QVSampleDecoder decoder(rate);
    for (auto _ : state) {
        for (const std::string& path : files().paths()) {
            auto sound = decoder.decode(path, decoder.stringSampleFrames());
            if (!sound) {
                state.SkipWithError("a sample could not be read");
                return;
            }
            benchmark::DoNotOptimize(sound->channel(0));
        }
    }
    state.counters["strings/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kNotes.size(), benchmark::Counter::kIsRate);
}

void BM_ChordSamplesConverted(benchmark::State& state) {
    loadChord(state, 44100.0);
}

void BM_ChordSamplesRaw(benchmark::State& state) {
    loadChord(state, kFileRate);
}

} // namespace

BENCHMARK(BM_ChordSamplesRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChordSamplesConverted)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
