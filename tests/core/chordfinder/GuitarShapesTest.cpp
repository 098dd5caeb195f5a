#include "ChordShape.h"
#include "chordfinder/CFChordNamer.h"
#include "chordfinder/CFChordSymbols.h"
#include "chords/CHNoteTables.h"
#include "foundation/Bundle.h"

#include <gtest/gtest.h>
#include <random>

using fretkit::Bundle;
using fretkit::CFChordNamer;

namespace {

struct Named {
    const char* shape;
    const char* name;
};

// Shapes guitarists play, in standard tuning, with the names they write for them: the notes are
// spelled in the chord's key (Db, G#m, E / G#), a minor triad over its third is the sixth chord of
// the bass (x32210 is C6), and a voicing without its root is named from its bass where the bass
// can be a root, else over its bass.
const Named kShapes[] = {
    // open and barre triads
    {"x32010", "C"},
    {"x02220", "A"},
    {"320003", "G"},
    {"320033", "G"},
    {"xx0232", "D"},
    {"022100", "E"},
    {"xx3211", "F"},
    {"133211", "F"},
    {"355433", "G"},
    {"x35553", "C"},
    {"x24442", "B"},
    {"x13331", "Bb"},
    {"466544", "Ab"},
    {"x65343", "Eb"},
    {"x 11 10 8 9 x", "Ab"},
    {"x 4 6 6 6 4", "Db"},
    {"x 4 3 1 2 x", "Db"},
    {"x x 4 3 2 2", "F#"},
    {"6 8 8 7 6 6", "Bb"},
    {"x02210", "Am"},
    {"022000", "Em"},
    {"xx0231", "Dm"},
    {"244222", "F#m"},
    {"355333", "Gm"},
    {"x24432", "Bm"},
    {"x35543", "Cm"},
    {"133111", "Fm"},
    {"x46654", "C#m"},
    {"466444", "G#m"},
    {"x13321", "Bbm"},
    {"x 9 11 11 10 9", "F#m"},
    {"x2343x", "Bdim"},
    {"x 3 4 5 4 x", "Cdim"},
    {"x3211x", "Caug"},
    {"xx0332", "Daug"},
    // sixths and added notes, with and without the fifth
    {"x32210", "C6"},
    {"322000", "G6"},
    {"320000", "G6"},
    {"x02222", "A6"},
    {"xx0202", "D6"},
    {"x x 0 4 3 2", "D6"},
    {"8 x 7 9 8 x", "C6"},
    {"x02212", "Am6"},
    {"xx0201", "Dm6"},
    {"022020", "Em6"},
    {"x3x243", "Cm6"},
    {"x32233", "C6/9"},
    {"x54455", "D6/9"},
    {"x 3 2 2 3 2", "C6/9#11"},
    {"x32033", "Cadd9"},
    {"320203", "Gadd9"},
    {"x02420", "Aadd9"},
    {"x 3 2 0 3 0", "Cadd9"},
    {"x 0 7 6 0 0", "Aadd9"},
    {"024000", "Emadd9"},
    {"x02410", "Amadd9"},
    {"x 3 1 0 3 x", "Cmadd9"},
    {"x 3 2 0 1 1", "Cadd11"},
    // suspended chords
    {"x02230", "Asus4"},
    {"xx0233", "Dsus4"},
    {"022200", "Esus4"},
    {"3x0013", "Gsus4"},
    {"x35563", "Csus4"},
    {"x 3 3 0 1 3", "Csus4"},
    {"x02200", "Asus2"},
    {"xx0230", "Dsus2"},
    {"x35533", "Csus2"},
    {"x02030", "A7sus4"},
    {"020200", "E7sus4"},
    {"x35363", "C7sus4"},
    {"x 3 5 3 6 3", "C7sus4"},
    {"x33333", "C9sus4"},
    {"x55555", "D9sus4"},
    {"0 0 0 2 2 0", "E13sus4"},
    {"x 3 3 3 2 x", "C7sus4b9"},
    // sevenths
    {"x32310", "C7"},
    {"x02020", "A7"},
    {"320001", "G7"},
    {"xx0212", "D7"},
    {"x x 0 2 1 2", "D7"},
    {"020100", "E7"},
    {"0 2 2 1 3 0", "E7"},
    {"0 7 6 7 0 0", "E7"},
    {"x x 2 4 3 4", "E7"},
    {"x21202", "B7"},
    {"131211", "F7"},
    {"1 3 1 2 1 1", "F7"},
    {"x35353", "C7"},
    {"242322", "F#7"},
    {"x 4 6 4 6 4", "Db7"},
    {"x 1 3 1 3 1", "Bb7"},
    {"x 0 2 2 2 3", "A7"},
    {"x32000", "Cmaj7"},
    {"x02120", "Amaj7"},
    {"x 0 2 1 2 0", "Amaj7"},
    {"xx0222", "Dmaj7"},
    {"xx3210", "Fmaj7"},
    {"021100", "Emaj7"},
    {"x35453", "Cmaj7"},
    {"x 3 5 4 5 3", "Cmaj7"},
    {"3x443x", "Gmaj7"},
    {"1x221x", "Fmaj7"},
    {"x 2 4 3 4 x", "Bmaj7"},
    {"x02010", "Am7"},
    {"022030", "Em7"},
    {"xx0211", "Dm7"},
    {"353333", "Gm7"},
    {"x35343", "Cm7"},
    {"x 3 5 3 4 3", "Cm7"},
    {"x46454", "C#m7"},
    {"x 6 8 6 7 6", "Ebm7"},
    {"x x 3 5 4 4", "Fm7"},
    {"020000", "Em7"},
    {"5x555x", "Am7"},
    {"x02110", "Am(maj7)"},
    {"xx0221", "Dm(maj7)"},
    {"x 3 1 0 0 x", "Cm(maj7)"},
    {"xx0111", "Dm7b5"},
    {"x2323x", "Bm7b5"},
    {"2x221x", "F#m7b5"},
    {"x3434x", "Cm7b5"},
    {"3 x 3 3 2 x", "Gm7b5"},
    {"x 5 x 5 6 4", "Dm7b5"},
    {"x 0 1 2 1 3", "Am7b5"},
    {"x3424x", "Cdim7"},
    {"xx0101", "Ddim7"},
    {"2x121x", "F#dim7"},
    {"8 x 8 9 9 x", "C7#5"},
    {"x03021", "A7#5"},
    {"x3435x", "C7b5"},
    {"8 x 9 9 9 x", "Cmaj7#5"},
    // ninths, elevenths, thirteenths
    {"x3233x", "C9"},
    {"x5455x", "D9"},
    {"020102", "E9"},
    {"x3133x", "Cm9"},
    {"x5355x", "Dm9"},
    {"020002", "Em9"},
    {"x3243x", "Cmaj9"},
    {"1 0 2 0 0 0", "Fmaj9#11"},
    {"x 3 1 4 3 x", "Cm(maj9)"},
    {"0 0 0 1 0 0", "E11"},
    {"x 3 2 3 1 1", "C11"},
    {"x3334x", "Cm11"},
    {"x00010", "Am11"},
    {"x 5 5 5 6 x", "Dm11"},
    {"4 x 4 4 2 x", "G#m11"},
    {"x32355", "C13"},
    {"3x3455", "G13"},
    {"x0x022", "A13"},
    {"8 x 8 9 10 x", "C13"},
    {"x 5 4 5 5 7", "D13"},
    {"x 8 7 8 8 10", "F13"},
    {"x31335", "Cm13"},
    {"x 3 2 4 3 5", "Cmaj13"},
    {"x32455", "Cmaj7add13"},
    {"x 3 x 4 5 5", "Cmaj7add13"},
    {"xx3200", "Fmaj7#11"},
    {"x 3 4 3 5 3", "C7#11"},
    {"1 3 1 2 0 3", "F9#11"},
    {"3 5 3 4 2 0", "G13#11"},
    {"x 3 5 3 5 4", "C7b13"},
    // altered dominants
    {"x3234x", "C7#9"},
    {"x7678x", "E7#9"},
    {"x 6 5 6 7 x", "Eb7#9"},
    {"x3232x", "C7b9"},
    {"x02323", "A7b9"},
    {"020131", "E7b9"},
    {"x32325", "C13b9"},
    {"x32345", "C13#9"},
    {"x32344", "C7#5#9"},
    {"x32342", "C7b5#9"},
    {"x32324", "C7#5b9"},
    {"x32332", "C9b5"},
    {"x32334", "C9#5"},
    // inversions and chords over another bass
    {"032010", "C / E"},
    {"x20033", "G / B"},
    {"2x0232", "D / F#"},
    {"332010", "C / G"},
    {"x33211", "F / C"},
    {"0x2210", "Am / E"},
    {"x00232", "D / A"},
    {"xx0003", "G / D"},
    {"4x2100", "E / G#"},
    {"x4222x", "A / C#"},
    {"x1x343", "Eb / Bb"},
    {"2x4432", "Bm / F#"},
    {"x4x222", "F#m / C#"},
    {"032310", "C7 / E"},
    {"x20001", "G7 / B"},
    {"2x0212", "D7 / F#"},
    {"x x 5 5 5 6", "C7 / G"},
    {"x 0 4 4 4 x", "B7 / A"},
    {"x3x232", "D7 / C"},
    {"332000", "Cmaj7 / G"},
    {"x22010", "Cmaj7 / B"},
    {"3x2210", "Am7 / G"},
    {"x x 10 10 10 10", "Dm7 / C"},
    {"x x 3 3 3 3", "Gm7 / F"},
    {"x x 4 4 4 4", "G#m7 / F#"},
    {"9 x 8 8 7 x", "Ebm7 / Db"},
    {"2x2210", "F#m7b5"},
    {"xx0553", "C / D"},
    {"3x3211", "F / G"},
    {"x3333x", "Bb / C"},
    // rootless ninths and thirteenths: named from the bass when it can be a root
    {"xx2333", "Em7b5"},
    {"6 x 5 7 5 x", "Gm6 / Bb"},
    {"x x 8 9 8 10", "Gm6 / Bb"},
    {"xx233x", "C9 / E"},
    {"6 x x 7 5 x", "C9 / Bb"},
    {"xx2335", "C13 / E"},
    {"xx23x5", "C13 / E"},
};

CFChordNamer bundledNamer() {
    const std::optional<fretkit::PlistValue> descriptions = Bundle::main().propertyList("CFChords");
    EXPECT_TRUE(descriptions.has_value());
    return CFChordNamer(descriptions.value_or(fretkit::PlistValue::array()));
}

} // namespace

TEST(GuitarShapes, EveryShapeGetsTheNameAGuitaristWrites) {
    const CFChordNamer namer = bundledNamer();
    EXPECT_GE(std::size(kShapes), 150u);
    for (const Named& entry : kShapes) {
        const ChordShape shape(entry.shape);
        const CFChordNamer::Result result =
            namer.nameChord(shape.frets, shape.mutes, kStandardTuning, 0);
        EXPECT_EQ(result.name, entry.name) << entry.shape;
    }
}

// A description that carries its own slash names the bass it was written for; if the root's
// rotation reached it from another bass, the name would give a note that is not the lowest.
// Fingers may go anywhere in the chord finder, playable or not, so this tries them at random.
TEST(GuitarShapes, NoFingeringIsNamedOverANoteThatIsNotItsBass) {
    const CFChordNamer namer = bundledNamer();
    const auto descriptions = Bundle::main().propertyList("CFChords");
    const auto tunings = Bundle::main().propertyList("BZTunings");
    ASSERT_TRUE(descriptions && tunings && tunings->count() > 0);
    const fretkit::CFChordSymbols symbols(*descriptions);
    std::mt19937 random(26);
    std::uniform_int_distribution<unsigned> fret(0, 17);
    int named = 0;
    for (int i = 0; i < 100000; ++i) {
        const auto& notes = (*tunings)[random() % tunings->count()]["notes"];
        std::array<int, 6> tuning{};
        for (std::size_t s = 0; s < tuning.size(); ++s) {
            tuning[s] = notes[s].intValue();
        }
        std::array<unsigned, 6> frets{};
        std::array<bool, 6> mutes{};
        int bass = -1;
        for (unsigned s = 0; s < 6; ++s) {
            mutes[s] = random() % 4 == 0;
            frets[s] = fret(random);
            if (!mutes[s] && bass < 0) {
                bass = (tuning[5 - s] + static_cast<int>(frets[s])) % 12;
            }
        }
        const CFChordNamer::Result result = namer.nameChord(frets, mutes, tuning, 0);
        if (result.kind != CFChordNamer::Kind::Chord) {
            continue;
        }
        ++named;
        std::string error;
        const auto symbol = symbols.parse(result.name, error);
        ASSERT_TRUE(symbol.has_value()) << result.name << ": " << error;
        const unsigned said = symbol->bass.value_or(symbol->root);
        ASSERT_EQ(static_cast<int>(fretkit::CHNoteTables::chromatic(said)), bass)
            << result.name << " for frets " << frets[0] << ' ' << frets[1] << ' ' << frets[2] << ' '
            << frets[3] << ' ' << frets[4] << ' ' << frets[5];
    }
    EXPECT_GT(named, 20000);
}

TEST(GuitarShapes, PowerChordsAndOctavesStayUnnamed) {
    const CFChordNamer namer = bundledNamer();
    for (const char* text : {"x355xx", "355xxx", "x3x5xx", "022xxx"}) {
        const ChordShape shape(text);
        EXPECT_EQ(namer.nameChord(shape.frets, shape.mutes, kStandardTuning, 0).kind,
                  CFChordNamer::Kind::NoChord)
            << text;
    }
}
