#include "chordfinder/CFChordNamer.h"

#include "ChordShape.h"

#include <gtest/gtest.h>

using fretkit::CFChordNamer;
using fretkit::PlistValue;

namespace {

using Kind = CFChordNamer::Kind;

constexpr std::uint32_t bits(std::initializer_list<int> indices) {
    std::uint32_t result = 0;
    for (int i : indices) {
        result |= std::uint32_t{1} << i;
    }
    return result;
}

PlistValue descriptions(std::initializer_list<std::pair<std::uint32_t, const char*>> entries) {
    PlistValue list = PlistValue::array();
    for (const auto& [bitmap, name] : entries) {
        list.append(
            PlistValue::dictionary({{"bitmap", static_cast<long long>(bitmap)}, {"name", name}}));
    }
    return list;
}

const PlistValue kTriads = descriptions({{bits({0, 4, 7}), "%0"}, {bits({0, 3, 7}), "%0m"}});

CFChordNamer::Result name(const CFChordNamer& namer, const std::string& shape, int detune = 0) {
    const ChordShape parsed(shape);
    return namer.nameChord(parsed.frets, parsed.mutes, kStandardTuning, detune);
}

} // namespace

TEST(CFChordNamer, OpenNeckTwoPitchClassesAndSilenceAreNotChords) {
    const CFChordNamer namer(kTriads);
    EXPECT_EQ(name(namer, "000000").kind, Kind::OpenNeck);
    EXPECT_EQ(name(namer, "000000").alpha(), 1.0f);
    for (const char* shape : {"x355xx", "022xxx", "xxxxxx", "x3xxxx", "x3x5xx"}) {
        const CFChordNamer::Result result = name(namer, shape);
        EXPECT_EQ(result.kind, Kind::NoChord) << shape;
        EXPECT_EQ(result.alpha(), 0.25f);
    }
    EXPECT_EQ(name(namer, "x32010").name, "C");
}

TEST(CFChordNamer, InversionsAreNamedOverTheirBass) {
    const CFChordNamer namer(kTriads);
    const CFChordNamer::Result cOverE = name(namer, "032010");
    EXPECT_EQ(cOverE.kind, Kind::Chord);
    EXPECT_EQ(cOverE.name, "C / E");
    EXPECT_EQ(name(namer, "x32210").name, "Am / C");
    EXPECT_EQ(name(namer, "2x0232").name, "D / F#");
}

TEST(CFChordNamer, ANameThatCarriesItsOwnSlashGetsNoSecond) {
    const CFChordNamer namer(descriptions({{bits({0, 4, 7}), "%0 / %7"}}));
    EXPECT_EQ(name(namer, "032010").name, "C / G");
}

TEST(CFChordNamer, TheLastOfEqualDescriptionsWinsAndEntriesWithoutBitmapsNeverMatch) {
    PlistValue list = descriptions({{bits({0, 4, 7}), "%0 first"}, {bits({0, 4, 7}), "%0 last"}});
    list.append(PlistValue::dictionary({{"name", "%0m"}}));
    const CFChordNamer namer(list);
    EXPECT_EQ(namer.descriptionCount(), 1u);
    EXPECT_EQ(name(namer, "x32010").name, "C last");
    EXPECT_EQ(name(namer, "x02210").kind, Kind::NoChord);
}

TEST(CFChordNamer, DetuneMovesTheNameWithTheStrings) {
    const CFChordNamer namer(kTriads);
    EXPECT_EQ(name(namer, "x32010", 2).name, "D");
    EXPECT_EQ(name(namer, "022000", -1).name, "Ebm");
    EXPECT_EQ(name(namer, "x32010", 12).name, "C");
}

TEST(CFChordNamer, NamesAreSpelledInTheChordsKey) {
    const CFChordNamer namer(descriptions(
        {{bits({0, 4, 7}), "%0"}, {bits({0, 3, 7}), "%0m"}, {bits({0, 3, 5, 8}), "%86 / %0"}}));
    EXPECT_EQ(name(namer, "4x2100").name, "E / G#");
    EXPECT_EQ(name(namer, "x32010", 1).name, "Db");
    EXPECT_EQ(name(namer, "x02210", -1).name, "G#m");
    EXPECT_EQ(name(namer, "032010", 1).name, "Db / F");
    // A name that carries its own bass: the chord's root is its first note, the bass follows it.
    EXPECT_EQ(name(namer, "0x5210").name, "C6 / E");
    EXPECT_EQ(name(namer, "0x5210", 1).name, "Db6 / F");
    EXPECT_EQ(name(namer, "0x5210", 6).name, "F#6 / A#");
}

TEST(CFChordNamer, GivesUpWhenTheRootHasMovedPastAnOctave) {
    const CFChordNamer namer(kTriads);
    // C, D and C#: no rotation of a semitone cluster is a triad.
    EXPECT_EQ(name(namer, "x30x2x").kind, Kind::NoChord);
}

TEST(CFChordNamer, TensionsFoldByWhatTheLowerStringsAlreadySet) {
    const int c = 48;
    // An eleventh under the string with the seventh is a fourth; above it, an eleventh.
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c + 17, c + 10, {}, {}, {}}, c), bits({0, 5, 10}));
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c + 10, c + 17, {}, {}, {}}, c), bits({0, 10, 17}));
    // A minor third an octave up is a sharp ninth only over a major third.
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c + 4, c + 15, {}, {}, {}}, c), bits({0, 4, 15}));
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c + 7, c + 15, {}, {}, {}}, c), bits({0, 3, 7}));
    // A ninth stays a ninth unless the second already sounds; doubled notes fold down.
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c + 2, c + 14, {}, {}, {}}, c), bits({0, 2}));
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c + 14, c + 16, c + 19, c + 24, c + 34}, c),
              bits({0, 4, 7, 10, 14}));
    // Sharp eleven and flat thirteen need a seventh and a fifth below them.
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c + 7, c + 10, c + 18, c + 20, {}}, c),
              bits({0, 7, 10, 18, 20}));
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c + 10, c + 18, c + 20, {}, {}}, c),
              bits({0, 6, 8, 10}));
}

TEST(CFChordNamer, AStringBelowTheBassStillCountsAnOctaveUp) {
    const int c = 48;
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c - 3, c + 16, c + 19, {}, {}}, c),
              bits({0, 4, 7, 9}));
    EXPECT_EQ(CFChordNamer::intervalBitmap({c, c - 27, {}, {}, {}, {}}, c), bits({0, 9}));
    // C on the low string's eighth fret over the open A string: C6, the A is not lost.
    const CFChordNamer namer(descriptions({{bits({0, 4, 7}), "%0"}, {bits({0, 4, 7, 9}), "%06"}}));
    EXPECT_EQ(name(namer, "8 0 x 9 8 x").name, "C6");
}
