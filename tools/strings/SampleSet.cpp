#include "SampleSet.h"

#include <cstdio>

namespace {

using Sample = SampleSet::Sample;

bool addTuning(const std::array<int, 6>& open, SampleSet::Range detunes, SampleSet::Range frets,
               std::set<Sample>& samples) {
    for (int s = 0; s < 6; ++s) {
        for (int detune = detunes.first; detune <= detunes.last; ++detune) {
            for (int fret = frets.first; fret <= frets.last; ++fret) {
                const int note = open[static_cast<std::size_t>(5 - s)] + detune + fret;
                if (note < 0 || note > 127) {
                    return false;
                }
                samples.insert({s, note});
            }
        }
    }
    return true;
}

} // namespace

std::string SampleSet::Sample::resourceName() const {
    char name[16];
    std::snprintf(name, sizeof name, "%02d_%02d", string, note);
    return name;
}

std::optional<std::set<Sample>> SampleSet::build(const fretkit::PlistValue& tunings, Range detunes,
                                                 Range frets, std::string& error) {
    if (!tunings.isArray()) {
        error = "the tunings list is no array";
        return std::nullopt;
    }
    std::set<Sample> samples;
    addTuning(kStandardTuning, {0, 0}, frets, samples);
    for (std::size_t t = 0; t < tunings.count(); ++t) {
        const fretkit::PlistValue& notes = tunings[t]["notes"];
        const std::string name =
            "tuning " + std::to_string(t) + " (" + tunings[t]["name"].stringValue() + ")";
        if (notes.count() != 6) {
            error = name + " has " + std::to_string(notes.count()) + " notes, not six";
            return std::nullopt;
        }
        std::array<int, 6> open{};
        for (std::size_t i = 0; i < 6; ++i) {
            open[i] = notes[i].intValue();
        }
        if (!addTuning(open, detunes, frets, samples)) {
            error = name + " reaches a note outside MIDI's 0 to 127";
            return std::nullopt;
        }
    }
    return samples;
}
