#include "ShapeBook.h"

#include "chords/CHNoteTables.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace fretkit {
namespace {

using Family = ChordShape::Family;
using Frets = ChordShape::Frets;
constexpr unsigned kStrings = ChordShape::kStrings;
constexpr int kMuted = ChordShape::kMuted;

std::optional<Family> formNamed(const std::string& word) {
    static const std::vector<std::pair<std::string, Family>> forms = {
        {"E", Family::E}, {"A", Family::A}, {"D", Family::D},
        {"C", Family::C}, {"G", Family::G}, {"open", Family::Open}};
    for (const auto& [name, form] : forms) {
        if (name == word) {
            return form;
        }
    }
    return std::nullopt;
}

std::optional<Frets> fretsOf(const std::string& word) {
    Frets frets{};
    if (word.size() != kStrings) {
        return std::nullopt;
    }
    for (unsigned s = 0; s < kStrings; ++s) {
        if (word[s] == 'x') {
            frets[s] = kMuted;
        } else if (word[s] >= '0' && word[s] <= '9') {
            frets[s] = word[s] - '0';
        } else {
            return std::nullopt;
        }
    }
    return frets;
}

// The pitch classes a shape sounds, as a bit set relative to `root`.
unsigned soundRelativeTo(const Frets& frets, unsigned root) {
    unsigned sound = 0;
    for (unsigned s = 0; s < kStrings; ++s) {
        if (frets[s] != kMuted) {
            sound |= 1u << ((ChordShape::pitch(s, frets[s]) + 12 - static_cast<int>(root)) % 12);
        }
    }
    return sound;
}

// Where a line's root lies on the string its form keeps the root on (an open chord: its own
// bass string), so that lines of one form meet at the same place on the neck.
int rootFret(const ShapeBook::Line& line) {
    static constexpr std::array<unsigned, 5> kRootString = {0, 1, 2, 1, 0}; // E A D C G
    const auto form = static_cast<unsigned>(line.form);
    unsigned string = 0;
    if (form < kRootString.size()) {
        string = kRootString[form];
    } else {
        while (string + 1 < kStrings && line.frets[string] == kMuted) {
            ++string;
        }
    }
    const auto open = static_cast<unsigned>(ChordShape::kStandardTuning[string]);
    return static_cast<int>((CHNoteTables::chromatic(line.root) + 24 - open % 12) % 12);
}

unsigned rotated(unsigned set, unsigned steps) {
    return ((set << steps) | (set >> (12 - steps))) & 0xfffu;
}

Frets movedBy(const Frets& frets, int by) {
    Frets result = frets;
    for (int& fret : result) {
        fret = fret == kMuted ? kMuted : fret + by;
    }
    return result;
}

// The moves of `frets` that keep every string on the neck; a barre form (written without open
// strings) stays above the nut, its open-position copy being no chord players use (C minor in
// the C form, x3101x).
std::pair<int, int> moveRange(const Frets& frets) {
    int lowest = ChordShape::kHighestFret;
    int highest = 0;
    for (int fret : frets) {
        if (fret != kMuted) {
            lowest = std::min(lowest, fret);
            highest = std::max(highest, fret);
        }
    }
    return {lowest == 0 ? 0 : 1 - lowest, ChordShape::kHighestFret - highest};
}

// `shape` with the silent string just below its bass sounding the chord's third or fifth,
// lower than the bass it had: in the open position anywhere the hand reaches (C over G,
// 332010), further up under the first finger (a barre taken across one string more, 335553).
std::vector<ChordShape> withLowerBass(const ChordShape& shape, const ChordTones& chord) {
    std::vector<ChordShape> completed;
    const unsigned bass = shape.bassString();
    if (bass == 0) {
        return completed;
    }
    const int bassPitch = ChordShape::pitch(bass, shape.frets[bass]);
    const bool openPosition = shape.hasOpenString();
    for (int fret = openPosition ? 0 : shape.baseFret;
         fret <= (openPosition ? ChordShape::kWindow - 1 : shape.baseFret); ++fret) {
        const int pitch = ChordShape::pitch(bass - 1, fret);
        if (pitch >= bassPitch || !chord.isThirdOrFifth(static_cast<unsigned>(pitch % 12))) {
            continue;
        }
        ChordShape::Frets frets = shape.frets;
        frets[bass - 1] = fret;
        const auto made = ChordShape::make(frets, chord, ChordShape::Bass::RootThirdOrFifth,
                                           {ChordShape::Kind::LowerBass, shape.origin.family});
        if (made) {
            completed.push_back(*made);
        }
    }
    return completed;
}

// The barre shape `shape` on its top five and its top four strings, where its lower strings
// sound: the forms as chord charts also show them (the small F, x33211 and xx3211; C on the top
// four strings at the fifth fret, xx5558, from the G form).
std::vector<ChordShape> upperStrings(const ChordShape& shape, const ChordTones& chord) {
    std::vector<ChordShape> uppers;
    for (unsigned lowest = 1; lowest <= 2 && !shape.hasOpenString(); ++lowest) {
        if (shape.bassString() >= lowest) {
            continue;
        }
        ChordShape::Frets frets = shape.frets;
        std::fill(frets.begin(), frets.begin() + lowest, kMuted);
        const auto made = ChordShape::make(frets, chord, ChordShape::Bass::RootThirdOrFifth,
                                           {ChordShape::Kind::Upper, shape.origin.family});
        if (made) {
            uppers.push_back(*made);
        }
    }
    return uppers;
}

} // namespace

std::optional<ShapeBook> ShapeBook::parse(const std::string& text, std::string& error) {
    ShapeBook book;
    std::istringstream lines(text);
    std::string line;
    for (unsigned number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(ChordFormula::withoutComment(line));
        std::string form;
        std::string root;
        std::string frets;
        std::string extra;
        if (!(words >> form)) {
            continue;
        }
        const auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(number) + ": " + why;
            return std::nullopt;
        };
        if (!(words >> root >> frets) || (words >> extra)) {
            return fail("a line is a form, a root and six frets");
        }
        Line entry;
        entry.number = number;
        const std::optional<Family> family = formNamed(form);
        if (!family) {
            return fail("'" + form + "' is not a form (E, A, D, C, G or open)");
        }
        entry.form = *family;
        const auto& names = CHNoteTables::noteNames();
        const auto name = std::find(names.begin(), names.end(), root);
        if (name == names.end()) {
            return fail("'" + root + "' is not a note");
        }
        entry.root = static_cast<unsigned>(name - names.begin());
        const std::optional<Frets> parsed = fretsOf(frets);
        if (!parsed) {
            return fail("'" + frets + "' is not six frets (0-9 or x, thickest string first)");
        }
        entry.frets = *parsed;
        book.lines_.push_back(entry);
    }
    return book;
}

std::optional<ChordShape> ShapeBook::written(const Line& line, const ChordTones& chord) {
    const bool open = std::find(line.frets.begin(), line.frets.end(), 0) != line.frets.end();
    return ChordShape::make(line.frets, chord, ChordShape::Bass::RootThirdOrFifth,
                            {ChordShape::Kind::Book, line.form, open});
}

std::optional<ChordShape> ShapeBook::moved(const Line& line, const ChordTones& chord, int by) {
    if (by == 0) {
        return written(line, chord);
    }
    std::optional<ChordShape> shape =
        ChordShape::make(movedBy(line.frets, by), chord, ChordShape::Bass::RootThirdOrFifth,
                         {ChordShape::Kind::Book, line.form});
    return shape && shape->span() <= ChordShape::kMovedSpan ? shape : std::nullopt;
}

std::vector<ChordShape> ShapeBook::shapesFor(const ChordTones& chord) const {
    std::vector<ChordShape> shapes;
    std::set<std::pair<Family, int>> taken; // (form, root fret) where a line gave a Book shape
    for (const Line& line : lines_) {
        const unsigned lineRoot = CHNoteTables::chromatic(line.root);
        const unsigned sound = soundRelativeTo(line.frets, lineRoot);
        auto [from, to] = moveRange(line.frets);
        if (line.form == Family::Open) {
            from = to = 0;
        }
        for (int by = from; by <= to; ++by) {
            // The moved line keeps its sound over the chord's root: its own root lands there, or
            // on another tone of a chord that repeats every few frets.
            const auto steps = static_cast<unsigned>(
                static_cast<int>(lineRoot + 36 - chord.root().pitchClass) + by);
            std::optional<ChordShape> shape =
                rotated(sound, steps % 12) == sound ? moved(line, chord, by) : std::nullopt;
            if (!shape) {
                continue;
            }
            // Where the line's root is not the chord's, the same sound is an inversion.
            if (steps % 12 != 0 || !taken.insert({line.form, rootFret(line) + by}).second) {
                shape->origin.kind = ChordShape::Kind::Alternate;
                shape->origin.openChord = false;
            }
            shapes.push_back(*shape);
        }
    }
    const std::size_t found = shapes.size();
    for (std::size_t i = 0; i < found; ++i) {
        if (shapes[i].origin.kind == ChordShape::Kind::Book) {
            for (const auto& more :
                 {withLowerBass(shapes[i], chord), upperStrings(shapes[i], chord)}) {
                shapes.insert(shapes.end(), more.begin(), more.end());
            }
        }
    }
    return shapes;
}

} // namespace fretkit
