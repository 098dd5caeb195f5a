#include "ChordShape.h"
#include "chordfinder/CFChordNamer.h"
#include "foundation/Bundle.h"

#include <gtest/gtest.h>

using fretkit::Bundle;
using fretkit::CFChordNamer;

namespace {

struct Named {
    const char* shape;
    const char* name;
};

// Shapes a guitarist plays every day, in standard tuning, with the names they go by.
const Named kShapes[] = {
    // open chords
    {"x32010", "C"},
    {"x02220", "A"},
    {"320003", "G"},
    {"320033", "G"},
    {"xx0232", "D"},
    {"022100", "E"},
    {"x02210", "Am"},
    {"022000", "Em"},
    {"xx0231", "Dm"},
    {"xx3211", "F"},
    {"x32310", "C7"},
    {"x02020", "A7"},
    {"320001", "G7"},
    {"xx0212", "D7"},
    {"020100", "E7"},
    {"x21202", "B7"},
    {"x02010", "Am7"},
    {"022030", "Em7"},
    {"xx0211", "Dm7"},
    {"x32000", "Cmaj7"},
    {"x02120", "Amaj7"},
    {"xx0222", "Dmaj7"},
    {"xx3210", "Fmaj7"},
    {"021100", "Emaj7"},
    {"x02200", "Asus2"},
    {"x02230", "Asus4"},
    {"xx0233", "Dsus4"},
    {"xx0230", "Dsus2"},
    {"022200", "Esus4"},
    {"3x0013", "Gsus4"},
    {"x32033", "Cadd9"},
    {"024000", "Emadd9"},
    {"320000", "G6"},
    {"x02212", "Am6"},
    {"x02110", "Am(maj7)"},
    {"x02030", "A7sus4"},
    {"xx0111", "Dm7b5"},
    // E-shape and A-shape barres
    {"133211", "F"},
    {"355433", "G"},
    {"577655", "A"},
    {"244222", "F#m"},
    {"355333", "Gm"},
    {"466544", "Ab"},
    {"131211", "F7"},
    {"242322", "F#7"},
    {"353333", "Gm7"},
    {"x35553", "C"},
    {"x24432", "Bm"},
    {"x24442", "B"},
    {"x13331", "Bb"},
    {"x35543", "Cm"},
    {"x35353", "C7"},
    {"x35343", "Cm7"},
    {"x35453", "Cmaj7"},
    {"x46454", "C#m7"},
    {"x65343", "Eb"},
    {"3x443x", "Gmaj7"},
    // sixths, ninths, elevenths, thirteenths
    {"8 x 7 9 8 x", "C6"},
    {"x32233", "C6/9"},
    {"x3233x", "C9"},
    {"x3133x", "Cm9"},
    {"x3243x", "Cmaj9"},
    {"x5455x", "D9"},
    {"x5355x", "Dm9"},
    {"020102", "E9"},
    {"x32355", "C13"},
    {"3x3455", "G13"},
    {"x0x022", "A13"},
    {"xx3200", "Fmaj7#11"},
    // altered dominants, diminished and augmented
    {"x3232x", "C7b9"},
    {"x02323", "A7b9"},
    {"020131", "E7b9"},
    {"x3234x", "C7#9"},
    {"x7678x", "E7#9"},
    {"8 x 8 9 9 x", "C7#5"},
    {"x3211x", "Caug"},
    {"x2343x", "Bdim"},
    {"x3424x", "Cdim7"},
    {"x2323x", "Bm7b5"},
    // inversions and slash chords
    {"2x0232", "D / F#"},
    {"032010", "C / E"},
    {"x20033", "G / B"},
    {"332010", "C / G"},
    {"x32210", "Am / C"},
    {"x33211", "F / C"},
    {"322000", "Em / G"},
    {"032310", "C7 / E"},
    {"x20001", "G7 / B"},
    {"2x0212", "D7 / F#"},
    {"xx0553", "C / D"},
};

} // namespace

TEST(GuitarShapes, EveryEverydayShapeGetsTheNameAGuitaristExpects) {
    const std::optional<fretkit::PlistValue> descriptions = Bundle::main().propertyList("CFChords");
    ASSERT_TRUE(descriptions.has_value());
    const CFChordNamer namer(*descriptions);
    EXPECT_GE(std::size(kShapes), 60u);
    for (const Named& entry : kShapes) {
        const ChordShape shape(entry.shape);
        const CFChordNamer::Result result =
            namer.nameChord(shape.frets, shape.mutes, kStandardTuning, 0);
        EXPECT_EQ(result.name, entry.name) << entry.shape;
    }
}

TEST(GuitarShapes, PowerChordsAndOctavesStayUnnamed) {
    const std::optional<fretkit::PlistValue> descriptions = Bundle::main().propertyList("CFChords");
    ASSERT_TRUE(descriptions.has_value());
    const CFChordNamer namer(*descriptions);
    for (const char* text : {"x355xx", "355xxx", "x3x5xx", "022xxx"}) {
        const ChordShape shape(text);
        EXPECT_EQ(namer.nameChord(shape.frets, shape.mutes, kStandardTuning, 0).kind,
                  CFChordNamer::Kind::NoChord)
            << text;
    }
}
