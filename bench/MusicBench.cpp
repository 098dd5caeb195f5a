// The scale search and the chord namer run on the main thread after every change of a root, a
// type, a finger or a setting. Each is measured against a baseline in the same run: the search
// against a bare walk over the same candidate frets, the namer against the interval bitmaps alone.
#include "chordfinder/CFChordNamer.h"
#include "foundation/Bundle.h"
#include "scales/SCScaleSearch.h"

#include <benchmark/benchmark.h>
#include <map>
#include <optional>

using fretkit::Bundle;
using fretkit::CFChordNamer;
using fretkit::PlistValue;
using fretkit::SCNote;
using fretkit::SCScaleSearch;

namespace {

constexpr std::array<int, 6> kStandard = {64, 59, 55, 50, 45, 40};

const PlistValue& resource(const char* name) {
    static std::map<std::string, PlistValue> loaded;
    auto found = loaded.find(name);
    if (found == loaded.end()) {
        found =
            loaded.emplace(name, Bundle::main().propertyList(name).value_or(PlistValue())).first;
    }
    return found->second;
}

std::vector<SCNote> roots() {
    std::vector<SCNote> notes;
    for (const PlistValue& note : resource("SCNotes").arrayItems()) {
        notes.emplace_back(static_cast<unsigned>(note["letter"].intValue()),
                           note["accidentals"].intValue());
    }
    return notes;
}

// The candidate frets of every position, string and window for every root and type, looked up
// in the type's pitches: the work the search cannot avoid.
void BM_ScaleCandidatesBaseline(benchmark::State& state) {
    const PlistValue& types = resource("SCScales");
    const std::vector<SCNote> notes = roots();
    for (auto _ : state) {
        int found = 0;
        for (const SCNote& root : notes) {
            for (const PlistValue& type : types.arrayItems()) {
                const auto& intervals = type["intervals"].arrayItems();
                for (unsigned position = 0; position < 18; ++position) {
                    for (unsigned s = 0; s < 6; ++s) {
                        for (unsigned k = 0; k < 5; ++k) {
                            const int pitch = (kStandard[5 - s] + int(position + k)) % 12;
                            for (const PlistValue& interval : intervals) {
                                found +=
                                    (interval.intValue() + root.chromaticValue()) % 12 == pitch;
                            }
                        }
                    }
                }
            }
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["searches"] = double(notes.size() * types.count());
}
BENCHMARK(BM_ScaleCandidatesBaseline)->Unit(benchmark::kMillisecond);

// Every root of the root list with every scale type over standard tuning.
void BM_ScaleSearchEveryRootAndType(benchmark::State& state) {
    const PlistValue& types = resource("SCScales");
    const PlistValue tunings = PlistValue::array(
        {PlistValue::dictionary({{"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}})});
    const std::vector<SCNote> notes = roots();
    std::size_t patterns = 0;
    for (auto _ : state) {
        patterns = 0;
        for (const SCNote& root : notes) {
            for (unsigned type = 0; type < types.count(); ++type) {
                patterns += SCScaleSearch::scalesForRoot(root, type, types, tunings, {}).size();
            }
        }
    }
    state.counters["searches"] = double(notes.size() * types.count());
    state.counters["patterns"] = double(patterns);
    state.counters["searches/s"] =
        benchmark::Counter(double(notes.size() * types.count()) * double(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScaleSearchEveryRootAndType)->Unit(benchmark::kMillisecond);

// Calls `visit` with every fingering whose strings are muted or at frets 0-5: 7^6 of them.
template <class Visit>
void everyFingering(Visit&& visit) {
    std::array<unsigned, 6> frets{};
    std::array<bool, 6> mutes{};
    for (unsigned code = 0; code < 117649; ++code) {
        unsigned rest = code;
        for (unsigned s = 0; s < 6; ++s, rest /= 7) {
            mutes[s] = rest % 7 == 6;
            frets[s] = mutes[s] ? 0 : rest % 7;
        }
        visit(frets, mutes);
    }
}

void BM_ChordBitmapsBaseline(benchmark::State& state) {
    for (auto _ : state) {
        everyFingering([](const auto& frets, const auto& mutes) {
            std::array<std::optional<int>, 6> pitches{};
            std::optional<int> bass;
            for (unsigned s = 0; s < 6; ++s) {
                if (!mutes[s]) {
                    pitches[s] = kStandard[5 - s] + int(frets[s]);
                    bass = bass ? bass : pitches[s];
                }
            }
            benchmark::DoNotOptimize(CFChordNamer::intervalBitmap(pitches, bass.value_or(0)));
        });
    }
    state.counters["fingerings/s"] =
        benchmark::Counter(117649.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ChordBitmapsBaseline)->Unit(benchmark::kMillisecond);

void BM_NameEveryFingering(benchmark::State& state) {
    const CFChordNamer namer(resource("CFChords"));
    std::size_t named = 0;
    for (auto _ : state) {
        named = 0;
        everyFingering([&](const auto& frets, const auto& mutes) {
            const CFChordNamer::Result result = namer.nameChord(frets, mutes, kStandard, 0);
            named += result.kind == CFChordNamer::Kind::Chord;
        });
    }
    state.counters["named"] = double(named);
    state.counters["fingerings/s"] =
        benchmark::Counter(117649.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_NameEveryFingering)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
