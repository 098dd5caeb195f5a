#include "VoicingSearch.h"

#include <algorithm>

namespace fretkit {
namespace {

constexpr unsigned kStrings = ChordShape::kStrings;
constexpr int kMuted = ChordShape::kMuted;
using Frets = ChordShape::Frets;

class Searcher {
public:
    explicit Searcher(const ChordTones& chord) : chord_(chord) {}

    std::vector<ChordShape> run() {
        for (int base = 1; base + ChordShape::kWindow - 1 <= ChordShape::kHighestFret; ++base) {
            Frets frets{};
            place(base, 0, frets, false);
        }
        return std::move(shapes_);
    }

private:
    // Tries every state of string `s` and the strings above it. Strings below the lowest
    // sounding one are muted, and the lowest sounding one plays the root.
    void place(int base, unsigned s, Frets& frets, bool sounding) {
        if (s == kStrings) {
            consider(base, frets);
            return;
        }
        frets[s] = kMuted;
        place(base, s + 1, frets, sounding);
        for (int fret = 0; fret < base + ChordShape::kWindow; fret = fret == 0 ? base : fret + 1) {
            const auto pitchClass = static_cast<unsigned>(ChordShape::pitch(s, fret) % 12);
            const ChordTones::Tone* tone = chord_.toneOf(pitchClass);
            if (tone && (sounding || tone == &chord_.root())) {
                frets[s] = fret;
                place(base, s + 1, frets, true);
            }
        }
    }

    void consider(int base, const Frets& frets) {
        // Each shape once: in the window that starts at its lowest fretted note.
        int lowest = 0;
        for (int fret : frets) {
            lowest = fret > 0 && (lowest == 0 || fret < lowest) ? fret : lowest;
        }
        if ((lowest == 0 ? 1 : lowest) != base) {
            return;
        }
        const std::optional<ChordShape> shape =
            ChordShape::make(frets, chord_, ChordShape::Bass::Root, {ChordShape::Kind::Found});
        if (shape) {
            shapes_.push_back(*shape);
        }
    }

    const ChordTones& chord_;
    std::vector<ChordShape> shapes_;
};

} // namespace

std::vector<ChordShape> VoicingSearch::search(const ChordTones& chord) {
    return Searcher(chord).run();
}

} // namespace fretkit
