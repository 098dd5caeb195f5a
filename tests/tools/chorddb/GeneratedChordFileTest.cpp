#include "ChordFileSupport.h"
#include "chords/CHVariantFamily.h"

#include <set>

using namespace chordfile;
using fretkit::CHVariantFamily;

namespace {

constexpr std::array<int, 6> kTuning = {40, 45, 50, 55, 59, 64};
constexpr std::size_t kMostShapes = 12;
// The roots the chords screen offers.
constexpr std::array<unsigned, 15> kOfferedRoots = {0,  1,  3,  4,  6,  7,  8, 9,
                                                    10, 12, 13, 16, 17, 18, 19};

// Every shape of every root and variant.
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

} // namespace

TEST(GeneratedChordFile, EveryOfferedRootAndVariantHasUpToTwelveShapesInFretOrder) {
    ASSERT_TRUE(database().isOpen());
    for (const CHVariantFamily& family : CHVariantFamily::all()) {
        for (unsigned variant : family.variants) {
            ASSERT_TRUE(formulas().contains(variant)) << variant;
            for (unsigned root : kOfferedRoots) {
                const auto shapes =
                    database().chordsForRoot(static_cast<int>(root), static_cast<int>(variant));
                EXPECT_FALSE(shapes.empty()) << root << " " << variant;
                EXPECT_LE(shapes.size(), kMostShapes) << root << " " << variant;
                std::set<std::string> distinct;
                for (std::size_t i = 0; i < shapes.size(); ++i) {
                    EXPECT_TRUE(distinct.insert(fretsOf(shapes[i])).second)
                        << "twice: " << describe(shapes[i]);
                    if (i > 0) {
                        EXPECT_LE(shapes[i - 1].baseFret(), shapes[i].baseFret());
                    }
                }
            }
        }
    }
}

// Every shape sounds the chord's tones and nothing else, spelled from the root, with the root,
// the third or the fifth lowest; the first shape of a chord has the root there.
TEST(GeneratedChordFile, EveryShapeSoundsExactlyItsChordOverARootThirdOrFifth) {
    ASSERT_GT(allShapes().size(), 5000u);
    const CHChord* previous = nullptr;
    for (const CHChord& chord : allShapes()) {
        const auto tones = formulas().at(chord.variant()).spell(chord.root());
        const bool first =
            !previous || previous->root() != chord.root() || previous->variant() != chord.variant();
        previous = &chord;
        std::set<unsigned> heard;
        const ChordFormula::Tone* bass = nullptr;
        for (unsigned s = 0; s < 6; ++s) {
            const int fret = fretNumbersOf(chord)[s];
            if (fret < 0) {
                continue;
            }
            const auto pitchClass = static_cast<unsigned>((kTuning[s] + fret) % 12);
            heard.insert(pitchClass);
            const auto tone = std::find_if(tones.begin(), tones.end(), [&](const auto& t) {
                return t.pitchClass == pitchClass;
            });
            ASSERT_NE(tone, tones.end()) << "foreign note in " << describe(chord);
            bass = bass ? bass : &*tone;
            EXPECT_EQ(chord.noteForString(s), tone->note) << describe(chord);
            EXPECT_EQ(CHNoteTables::chromatic(chord.noteForString(s)), pitchClass);
            EXPECT_EQ(chord.string(s).optional, tone->optional) << describe(chord);
        }
        for (const auto& tone : tones) {
            EXPECT_TRUE(tone.optional || heard.contains(tone.pitchClass))
                << "missing tone in " << describe(chord);
        }
        EXPECT_GE(heard.size(), 3u) << "too few tones to name in " << describe(chord);
        ASSERT_NE(bass, nullptr);
        EXPECT_TRUE(bass->degree == 1 || (!first && (bass->degree == 3 || bass->degree == 5)))
            << "a bass of degree " << bass->degree << " in " << describe(chord);
    }
}

TEST(GeneratedChordFile, EveryFingeringCanBeHeld) {
    for (const CHChord& chord : allShapes()) {
        const auto frets = fretNumbersOf(chord);
        bool anyOpen = false;
        int highest = 0;
        int lowest = 99;
        for (unsigned s = 0; s < 6; ++s) {
            anyOpen = anyOpen || frets[s] == 0;
            highest = std::max(highest, frets[s]);
            if (frets[s] > 0) {
                lowest = std::min(lowest, frets[s]);
                EXPECT_LE(chord.string(s).fret, 4u) << describe(chord);
            }
        }
        EXPECT_LE(highest, 15) << describe(chord);
        EXPECT_TRUE(!anyOpen || (chord.baseFret() == 1 && highest <= 4)) << describe(chord);
        EXPECT_TRUE(anyOpen || chord.baseFret() == static_cast<unsigned>(lowest))
            << describe(chord);
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
        EXPECT_LE(fingers - (chord.stringsForFinger(0)->empty() ? 0 : 1), 4u);
    }
}

// The chords screen opens on a chord's first shape: the open chord where there is one, else the
// barre shape beginners learn, never a rarer shape nearer the nut.
TEST(GeneratedChordFile, TheFirstShapeIsTheOneABeginnerLooksFor) {
    struct Lead {
        const char* root;
        unsigned variant;
        const char* frets;
    };
    const Lead leads[] = {
        {"C", 0, "x 3 2 0 1 0"},  {"G", 0, "3 2 0 0 0 3"},   {"D", 0, "x x 0 2 3 2"},
        {"A", 0, "x 0 2 2 2 0"},  {"E", 0, "0 2 2 1 0 0"},   {"F", 0, "1 3 3 2 1 1"},
        {"Bb", 0, "x 1 3 3 3 1"}, {"B", 0, "x 2 4 4 4 2"},   {"Eb", 0, "x x 1 3 4 3"},
        {"C#", 0, "x 4 6 6 6 4"}, {"Ab", 0, "4 6 6 5 4 4"},  {"F#", 0, "2 4 4 3 2 2"},
        {"A", 20, "x 0 2 2 1 0"}, {"E", 20, "0 2 2 0 0 0"},  {"D", 20, "x x 0 2 3 1"},
        {"B", 20, "x 2 4 4 3 2"}, {"F#", 20, "2 4 4 2 2 2"}, {"C", 20, "x 3 5 5 4 3"},
        {"G", 20, "3 5 5 3 3 3"}, {"C#", 20, "x 4 6 6 5 4"}, {"E", 36, "0 2 0 1 0 0"},
        {"A", 36, "x 0 2 0 2 0"}, {"D", 36, "x x 0 2 1 2"},  {"G", 36, "3 2 0 0 0 1"},
        {"C", 36, "x 3 2 3 1 0"}, {"B", 36, "x 2 1 2 0 2"},  {"F", 1, "x x 3 2 1 0"},
        {"C", 1, "x 3 2 0 0 0"},  {"A", 21, "x 0 2 0 1 0"},  {"B", 21, "x 2 0 2 0 2"},
        {"A", 4, "x 0 2 2 3 0"},  {"C", 3, "x 3 2 0 3 3"},   {"C", 64, "x 3 4 2 4 x"},
        {"C", 42, "x 3 2 1 1 0"}, {"C", 49, "x 3 2 3 4 x"},  {"C", 37, "x 3 2 3 3 3"},
    };
    for (const Lead& lead : leads) {
        const auto shapes = shapesOf(lead.root, lead.variant);
        ASSERT_FALSE(shapes.empty()) << lead.root << " " << lead.variant;
        EXPECT_EQ(fretsOf(shapes.front()), lead.frets) << lead.root << " " << lead.variant;
    }
}
