#include "ChordFormula.h"
#include "chords/CHDatabase.h"
#include "chords/CHNoteTables.h"
#include "chords/CHVariantFamily.h"
#include "foundation/FileIO.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace fretkit;

namespace {

constexpr std::array<int, 6> kTuning = {40, 45, 50, 55, 59, 64};
// The roots the chords screen offers.
constexpr std::array<unsigned, 15> kOfferedRoots = {0,  1,  3,  4,  6,  7,  8, 9,
                                                    10, 12, 13, 16, 17, 18, 19};

const std::map<unsigned, ChordFormula>& formulas() {
    static const std::map<unsigned, ChordFormula> all = [] {
        std::string error;
        auto parsed = ChordFormula::parse(FileIO::readAll(FRETKIT_CHORD_FORMULAS).value(), error);
        EXPECT_EQ(error, "");
        return parsed;
    }();
    return all;
}

CHDatabase& database() {
    static CHDatabase db;
    return db;
}

std::string describe(const CHChord& chord) {
    std::string text = CHNoteTables::noteNames().at(chord.root()) + " variant " +
                       std::to_string(chord.variant()) + " at " + std::to_string(chord.baseFret()) +
                       ":";
    for (unsigned s = 0; s < 6; ++s) {
        text.push_back(' ');
        if (chord.mutedString(s) || chord.openString(s)) {
            text.push_back(chord.mutedString(s) ? 'x' : '0');
        } else {
            text.append(std::to_string(chord.fretForString(s)));
        }
    }
    return text;
}

// Every shape of every root and variant, read through the model the chords screen uses.
const std::vector<CHChord>& allShapes() {
    static const std::vector<CHChord> shapes = [] {
        std::vector<CHChord> all;
        for (unsigned root = 0; root < CHNoteTables::kNoteCount; ++root) {
            for (const auto& [variant, formula] : formulas()) {
                const auto found =
                    database().chordsForRoot(static_cast<int>(root), static_cast<int>(variant));
                all.insert(all.end(), found.begin(), found.end());
            }
        }
        return all;
    }();
    return shapes;
}

// The fret each string sounds: -1 muted, 0 open.
std::array<int, 6> fretsOf(const CHChord& chord) {
    std::array<int, 6> frets{};
    for (unsigned s = 0; s < 6; ++s) {
        frets[s] = chord.mutedString(s)  ? -1
                   : chord.openString(s) ? 0
                                         : static_cast<int>(chord.fretForString(s));
    }
    return frets;
}

} // namespace

TEST(GeneratedChordFile, EveryOfferedRootAndVariantHasShapesInFretOrder) {
    ASSERT_TRUE(database().isOpen());
    for (const CHVariantFamily& family : CHVariantFamily::all()) {
        for (unsigned variant : family.variants) {
            ASSERT_TRUE(formulas().contains(variant)) << variant;
            for (unsigned root : kOfferedRoots) {
                const auto shapes =
                    database().chordsForRoot(static_cast<int>(root), static_cast<int>(variant));
                EXPECT_FALSE(shapes.empty()) << root << " " << variant;
                for (std::size_t i = 1; i < shapes.size(); ++i) {
                    EXPECT_LE(shapes[i - 1].baseFret(), shapes[i].baseFret());
                }
            }
        }
    }
}

TEST(GeneratedChordFile, EveryShapeSoundsExactlyItsChordSpelledFromTheRoot) {
    ASSERT_GT(allShapes().size(), 1000u);
    for (const CHChord& chord : allShapes()) {
        const auto tones = formulas().at(chord.variant()).spell(chord.root());
        std::set<unsigned> heard;
        int lowest = -1;
        for (unsigned s = 0; s < 6; ++s) {
            const int fret = fretsOf(chord)[s];
            if (fret < 0) {
                continue;
            }
            const int pitch = kTuning[s] + fret;
            lowest = lowest < 0 ? pitch : lowest;
            const auto pitchClass = static_cast<unsigned>(pitch % 12);
            heard.insert(pitchClass);
            const auto tone = std::find_if(tones.begin(), tones.end(), [&](const auto& t) {
                return t.pitchClass == pitchClass;
            });
            ASSERT_NE(tone, tones.end()) << "foreign note in " << describe(chord);
            EXPECT_EQ(chord.noteForString(s), tone->note) << describe(chord);
            EXPECT_EQ(CHNoteTables::chromatic(chord.noteForString(s)), pitchClass);
            EXPECT_EQ(chord.string(s).optional, tone->optional) << describe(chord);
        }
        for (const auto& tone : tones) {
            EXPECT_TRUE(tone.optional || heard.contains(tone.pitchClass))
                << "missing tone in " << describe(chord);
        }
        EXPECT_GE(heard.size(), 2u);
        EXPECT_EQ(static_cast<unsigned>(lowest % 12), tones.front().pitchClass)
            << "the root is not the bass of " << describe(chord);
    }
}

TEST(GeneratedChordFile, EveryFingeringCanBeHeld) {
    for (const CHChord& chord : allShapes()) {
        const auto frets = fretsOf(chord);
        bool anyOpen = false;
        int highest = 0;
        for (unsigned s = 0; s < 6; ++s) {
            anyOpen = anyOpen || frets[s] == 0;
            highest = std::max(highest, frets[s]);
            if (frets[s] > 0) {
                EXPECT_LE(chord.string(s).fret, 4u) << describe(chord);
            }
        }
        EXPECT_TRUE(!anyOpen || (chord.baseFret() == 1 && highest <= 4)) << describe(chord);
        unsigned fingers = 0;
        int previousFret = 0;
        for (unsigned finger = 0; finger <= 4; ++finger) {
            const auto held = chord.stringsForFinger(finger).value();
            if (held.empty()) {
                continue;
            }
            ++fingers;
            const int fret = frets[held.front()];
            if (finger == 0) {
                EXPECT_EQ(held, std::vector<unsigned>{0})
                    << "thumb off the bass " << describe(chord);
                continue;
            }
            // Index to little finger: rising frets, one fret each.
            EXPECT_GE(fret, previousFret) << describe(chord);
            previousFret = fret;
            for (unsigned s = held.front(); s <= held.back(); ++s) {
                EXPECT_GE(frets[s], fret)
                    << "a barre presses string " << s << " in " << describe(chord);
                if (std::find(held.begin(), held.end(), s) != held.end()) {
                    EXPECT_EQ(frets[s], fret) << describe(chord);
                }
            }
        }
        EXPECT_LE(fingers, 5u);
        EXPECT_LE(fingers - (chord.stringsForFinger(0)->empty() ? 0 : 1), 4u);
    }
}

TEST(GeneratedChordFile, TheShapesEveryGuitaristKnowsArePresent) {
    struct Standard {
        const char* root;
        unsigned variant;
        std::array<int, 6> frets;
    };
    constexpr int x = -1;
    const Standard standards[] = {
        // Open position
        {"C", 0, {x, 3, 2, 0, 1, 0}},
        {"A", 0, {x, 0, 2, 2, 2, 0}},
        {"G", 0, {3, 2, 0, 0, 0, 3}},
        {"E", 0, {0, 2, 2, 1, 0, 0}},
        {"D", 0, {x, x, 0, 2, 3, 2}},
        {"A", 20, {x, 0, 2, 2, 1, 0}},
        {"E", 20, {0, 2, 2, 0, 0, 0}},
        {"D", 20, {x, x, 0, 2, 3, 1}},
        {"E", 36, {0, 2, 0, 1, 0, 0}},
        {"A", 36, {x, 0, 2, 0, 2, 0}},
        {"D", 36, {x, x, 0, 2, 1, 2}},
        {"G", 36, {3, 2, 0, 0, 0, 1}},
        {"C", 36, {x, 3, 2, 3, 1, 0}},
        {"B", 36, {x, 2, 1, 2, 0, 2}},
        {"A", 1, {x, 0, 2, 1, 2, 0}},
        {"C", 1, {x, 3, 2, 0, 0, 0}},
        {"D", 1, {x, x, 0, 2, 2, 2}},
        {"F", 1, {x, x, 3, 2, 1, 0}},
        {"A", 21, {x, 0, 2, 0, 1, 0}},
        {"E", 21, {0, 2, 0, 0, 0, 0}},
        {"D", 21, {x, x, 0, 2, 1, 1}},
        // E-shape barres at the third fret
        {"G", 0, {3, 5, 5, 4, 3, 3}},
        {"G", 20, {3, 5, 5, 3, 3, 3}},
        {"G", 36, {3, 5, 3, 4, 3, 3}},
        {"G", 21, {3, 5, 3, 3, 3, 3}},
        {"G", 1, {3, 5, 4, 4, 3, 3}},
        // A-shape barres at the third fret
        {"C", 0, {x, 3, 5, 5, 5, 3}},
        {"C", 20, {x, 3, 5, 5, 4, 3}},
        {"C", 36, {x, 3, 5, 3, 5, 3}},
        {"C", 21, {x, 3, 5, 3, 4, 3}},
        {"C", 1, {x, 3, 5, 4, 5, 3}},
    };
    const auto& names = CHNoteTables::noteNames();
    for (const Standard& standard : standards) {
        const auto root =
            static_cast<int>(std::find(names.begin(), names.end(), standard.root) - names.begin());
        const auto shapes = database().chordsForRoot(root, static_cast<int>(standard.variant));
        const bool found = std::any_of(shapes.begin(), shapes.end(), [&](const CHChord& chord) {
            return fretsOf(chord) == standard.frets;
        });
        EXPECT_TRUE(found) << standard.root << " variant " << standard.variant;
    }
}
