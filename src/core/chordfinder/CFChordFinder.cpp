#include "CFChordFinder.h"

#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "foundation/QVMIDINoteFormatter.h"

#include <algorithm>
#include <set>
#include <utility>

namespace fretkit {
namespace {

constexpr std::array<int, 6> kStandardTuning{64, 59, 55, 50, 45, 40};

PlistValue tuningsOf(const Bundle& bundle) {
    std::optional<PlistValue> list = bundle.propertyList(CFChordFinder::kTuningsName);
    if (list && list->isArray() && list->count() > 0) {
        return std::move(*list);
    }
    Log::line("CFChordFinder -- no tunings list: standard tuning only");
    return PlistValue::array(
        {PlistValue::dictionary({{"name", "Standard"},
                                 {"spelling", "E A D G B E"},
                                 {"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}})});
}

// The open strings of a tuning, the thinnest first; standard tuning for a malformed entry.
std::array<int, 6> openStringsOf(const PlistValue& tuning) {
    const PlistValue& notes = tuning["notes"];
    if (notes.count() != 6) {
        Log::format("CFChordFinder -- the tuning '%s' has no six notes: standard tuning instead",
                    tuning["name"].stringValue().c_str());
        return kStandardTuning;
    }
    std::array<int, 6> open{};
    for (std::size_t i = 0; i < open.size(); ++i) {
        open[i] = notes[i].intValue();
    }
    return open;
}

} // namespace

CFChordFinder::CFChordFinder(QVRenderLockPtr renderLock, const Bundle& bundle, double sampleRate)
    : tunings_(tuningsOf(bundle)),
      namer_(bundle.propertyList(kDescriptionsName).value_or(PlistValue::array())),
      strings_(std::move(renderLock), bundle, sampleRate) {
    tuning_ = openStringsOf(tunings_[0]);
    strings_.setTuning(tuning_, 0);
}

void CFChordFinder::setTuning(std::int64_t index, std::int64_t detune) {
    const bool listed = index >= 0 && static_cast<std::uint64_t>(index) < tunings_.count();
    tuningIndex_ = listed ? static_cast<std::size_t>(index) : 0;
    detune_ = static_cast<int>(std::clamp<std::int64_t>(detune, kLowestDetune, kHighestDetune));
    tuning_ = openStringsOf(tunings_[tuningIndex_]);
    strings_.setTuning(tuning_, detune_);
    for (unsigned s = 0; s < kStrings; ++s) {
        loadString(s);
    }
}

void CFChordFinder::setFret(unsigned string, unsigned fret) {
    if (string >= kStrings) {
        return;
    }
    frets_[string] = std::min(fret, kHighestFret);
    strings_.setFret(string, frets_[string]);
    loadString(string);
}

void CFChordFinder::setMuted(unsigned string, bool muted) {
    if (string >= kStrings) {
        return;
    }
    mutes_[string] = muted;
    strings_.setMuted(string, muted);
    loadString(string);
}

void CFChordFinder::clearFrets() {
    for (unsigned s = 0; s < kStrings; ++s) {
        setFret(s, 0);
    }
}

bool CFChordFinder::playString(unsigned string) {
    if (string >= kStrings || mutes_[string]) {
        return false;
    }
    strings_.playString(string);
    return true;
}

CFChordNamer::Result CFChordFinder::chord() const {
    return namer_.nameChord(frets_, mutes_, tuning_, detune_);
}

int CFChordFinder::noteOfString(unsigned string) const {
    return tuning_[kStrings - 1 - string] + detune_ + static_cast<int>(frets_[string]);
}

std::string CFChordFinder::titleOfString(unsigned string) const {
    if (string >= kStrings) {
        return {};
    }
    if (mutes_[string]) {
        return kMutedTitle;
    }
    QVMIDINoteFormatter formatter;
    formatter.setShowOctave(false);
    return formatter.stringForObjectValue(noteOfString(string));
}

void CFChordFinder::loadString(unsigned string) {
    // A missing sample leaves the string silent; the neck and the name still show its note.
    if (const std::string problem = strings_.loadAudioForString(string); !problem.empty()) {
        Log::format("CFChordFinder -- %s: string %u stays silent", problem.c_str(), string);
    }
}

std::size_t CFChordFinder::sampleBound() const {
    std::set<std::pair<unsigned, int>> reachable;
    for (const PlistValue& tuning : tunings_.arrayItems()) {
        const std::array<int, 6> open = openStringsOf(tuning);
        for (unsigned s = 0; s < kStrings; ++s) {
            const int lowest = open[kStrings - 1 - s] + kLowestDetune;
            const int highest =
                open[kStrings - 1 - s] + kHighestDetune + static_cast<int>(kHighestFret);
            for (int note = std::max(lowest, 0); note <= highest; ++note) {
                reachable.emplace(s, note);
            }
        }
    }
    return reachable.size();
}

} // namespace fretkit
