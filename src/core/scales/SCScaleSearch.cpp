#include "SCScaleSearch.h"

#include "foundation/Log.h"
#include "foundation/UserDefaults.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace fretkit {
namespace {

constexpr unsigned kStrings = SCScale::kStrings;

int pitchClass(int value) {
    return ((value % 12) + 12) % 12;
}

struct Degrees {
    std::vector<int> pitchOrder; // pitch class of each degree, in the type's order

    std::optional<unsigned> indexOf(int pitch) const {
        const auto found = std::find(pitchOrder.begin(), pitchOrder.end(), pitch);
        if (found == pitchOrder.end()) {
            return std::nullopt;
        }
        return static_cast<unsigned>(found - pitchOrder.begin());
    }
};

// Collects the pattern of position P: consecutive scale degrees, string by string.
SCScale patternAt(unsigned position, const SCNote& root, const Degrees& degrees,
                  const std::array<int, 6>& notes, int detune,
                  const SCScaleNote::Alterations& alterations) {
    const int r = root.chromaticValue();
    std::array<int, kStrings> open{};
    for (unsigned s = 0; s < kStrings; ++s) {
        open[s] = pitchClass(notes[5 - s] + detune);
    }
    SCScale pattern;
    std::optional<unsigned> expected;
    for (unsigned s = 0; s < kStrings; ++s) {
        for (unsigned k = 0; k < SCScaleSearch::kWindow; ++k) {
            const unsigned fret = position + k;
            const int pitch = pitchClass(open[s] + static_cast<int>(fret));
            // In the open position the next string's open note plays this pitch.
            if (position == 0 && k > 0 && s < 5 && pitch == open[s + 1]) {
                continue;
            }
            const std::optional<unsigned> degree = degrees.indexOf(pitch);
            if (!degree || (expected && *degree != *expected)) {
                continue;
            }
            const unsigned interval = static_cast<unsigned>(pitchClass(pitch - r));
            SCScaleNote note = SCScaleNote::scaleNoteForRoot(root, interval, alterations);
            note.setString(s);
            note.setFret(fret);
            note.setMIDINote(static_cast<unsigned>(notes[5 - s] + detune + static_cast<int>(fret)));
            pattern.addNote(note);
            expected = (*degree + 1) % degrees.pitchOrder.size();
        }
    }
    return pattern;
}

} // namespace

SCScaleSearchSettings SCScaleSearchSettings::fromDefaults(const UserDefaults& defaults) {
    SCScaleSearchSettings settings;
    settings.tuning = static_cast<int>(defaults.integerForKey("SC_tuning"));
    settings.detune = static_cast<int>(defaults.integerForKey("SC_detune"));
    settings.allowStretched = defaults.boolForKey("SC_allowStretched");
    return settings;
}

std::array<int, 6> SCScaleSearch::tuningNotes(const PlistValue& tunings, int index) {
    static const PlistValue none;
    const PlistValue& notes = index >= 0 ? tunings[static_cast<std::size_t>(index)]["notes"] : none;
    if (notes.count() != 6) {
        Log::format("SCScaleSearch -- tuning %d has no six notes; using standard tuning", index);
        return kStandardTuning;
    }
    std::array<int, 6> result{};
    for (std::size_t i = 0; i < 6; ++i) {
        result[i] = notes[i].intValue();
    }
    return result;
}

std::vector<SCScale> SCScaleSearch::scalesForRoot(const SCNote& root, unsigned type,
                                                  const PlistValue& types,
                                                  const PlistValue& tunings,
                                                  const SCScaleSearchSettings& settings) {
    std::vector<SCScale> result;
    const PlistValue& scaleType = types[type];
    Degrees degrees;
    for (const PlistValue& interval : scaleType["intervals"].arrayItems()) {
        degrees.pitchOrder.push_back(pitchClass(interval.intValue() + root.chromaticValue()));
    }
    if (degrees.pitchOrder.empty()) {
        return result;
    }
    const auto alterations = std::make_shared<const PlistValue>(scaleType["alterations"]);
    const std::array<int, 6> notes = tuningNotes(tunings, settings.tuning);
    for (unsigned position = 0; position < kPositions; ++position) {
        SCScale pattern = patternAt(position, root, degrees, notes, settings.detune, alterations);
        pattern.conform(settings.allowStretched);
        if (pattern.isValid() && (result.empty() || !pattern.isEqualToScale(&result.back()))) {
            result.push_back(std::move(pattern));
        }
    }
    return result;
}

} // namespace fretkit
