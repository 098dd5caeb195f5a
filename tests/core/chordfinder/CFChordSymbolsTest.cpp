#include "chordfinder/CFChordSymbols.h"

#include "chords/CHNoteTables.h"
#include "chords/CHVariantSymbols.h"
#include "foundation/Bundle.h"

#include <gtest/gtest.h>
#include <set>

using fretkit::CFChordSymbol;
using fretkit::CFChordSymbols;
using fretkit::CHNoteTables;
using fretkit::CHVariantSymbols;
using fretkit::PlistValue;

namespace {

// A vocabulary as the descriptions give it: one name per symbol, some with their own bass.
CFChordSymbols vocabulary(std::initializer_list<const char*> names) {
    PlistValue list = PlistValue::array();
    for (const char* name : names) {
        list.append(PlistValue::dictionary({{"bitmap", 145}, {"name", name}}));
    }
    return CFChordSymbols(list);
}

const CFChordSymbols kSymbols =
    vocabulary({"%0", "%0m", "%0maj7", "%0m7", "%0m7b5", "%0dim7", "%0aug", "%07#5", "%07b9",
                "%07#5b9", "%0sus4", "%06/9", "%0m(maj7)", "%0maj9", "%0m9", "%013sus4b9",
                "%86 / %0", "%A / %0", "no placeholder"});

std::string suffixOf(const std::string& text) {
    std::string error;
    const auto symbol = kSymbols.parse(text, error);
    return symbol ? symbol->suffix : "error: " + error;
}

unsigned note(const char* name) {
    return *CFChordSymbols::noteIndex(name);
}

} // namespace

TEST(CFChordSymbols, TheVocabularyIsTheSymbolsOfTheDescriptionNames) {
    EXPECT_EQ(
        kSymbols.suffixes(),
        (std::set<std::string>{"", "m", "maj7", "m7", "m7b5", "dim7", "aug", "7#5", "7b9", "7#5b9",
                               "sus4", "6/9", "m(maj7)", "maj9", "m9", "13sus4b9", "6"}));
}

TEST(CFChordSymbols, RootsAndBassesAreSpelledNotes) {
    std::string error;
    const auto fSharp = kSymbols.parse("F#m7b5", error);
    ASSERT_TRUE(fSharp.has_value()) << error;
    EXPECT_EQ(fSharp->root, note("F#"));
    EXPECT_FALSE(fSharp->bass.has_value());
    EXPECT_EQ(kSymbols.parse("bbmaj7", error)->root, 3u); // Bb, typed in lower case
    EXPECT_EQ(kSymbols.parse("E\u266Dm7", error)->root, note("Eb"));
    EXPECT_EQ(kSymbols.parse("Cb", error)->root, note("Cb"));

    const auto overE = kSymbols.parse("Cmaj7/E", error);
    ASSERT_TRUE(overE.has_value()) << error;
    EXPECT_EQ(overE->suffix, "maj7");
    EXPECT_EQ(overE->bass, note("E"));
    EXPECT_EQ(kSymbols.parse("Dm7 / C", error)->bass, note("C"));
    EXPECT_EQ(kSymbols.parse("C / g#", error)->bass, note("G#"));
    // The slash of 6/9 and m/maj7 is part of the chord, not a bass.
    EXPECT_FALSE(kSymbols.parse("C6/9", error)->bass.has_value());
    EXPECT_EQ(kSymbols.parse("C6/9/E", error)->bass, note("E"));
    EXPECT_EQ(suffixOf("Cm/maj7"), "m(maj7)");
}

TEST(CFChordSymbols, EverydaySpellingsMeanTheChordFindersSymbols) {
    const std::pair<const char*, const char*> cases[] = {
        {"C", ""},
        {"CM", ""},
        {"Cmaj", ""},
        {"Cmajor", ""},
        {"Cmin", "m"},
        {"C-", "m"},
        {"Cminor", "m"},
        {"CM7", "maj7"},
        {"CMaj7", "maj7"},
        {"Cma7", "maj7"},
        {"C\u0394", "maj7"},
        {"C\u03949", "maj9"},
        {"C-7", "m7"},
        {"Cmin7", "m7"},
        {"Cmi7", "m7"},
        {"C\u00F8", "m7b5"},
        {"C\u00F87", "m7b5"},
        {"Cm7-5", "m7b5"},
        {"Cm7(b5)", "m7b5"},
        {"C\u00B07", "dim7"},
        {"Co7", "dim7"},
        {"C+", "aug"},
        {"Caug", "aug"},
        {"C7+", "7#5"},
        {"C+7", "7#5"},
        {"Caug7", "7#5"},
        {"C7+5", "7#5"},
        {"C7(b9)", "7b9"},
        {"C7-9", "7b9"},
        {"C7b9#5", "7#5b9"},
        {"C7(#5, b9)", "7#5b9"},
        {"Csus", "sus4"},
        {"C69", "6/9"},
        {"C6add9", "6/9"},
        {"CmM7", "m(maj7)"},
        {"Cminmaj7", "m(maj7)"},
        {"C13susb9", "13sus4b9"},

        {" C maj7 ", "maj7"},
    };
    for (const auto& [text, suffix] : cases) {
        EXPECT_EQ(suffixOf(text), suffix) << text;
    }
}

TEST(CFChordSymbols, UnknownChordsSayWhatIsClosest) {
    std::string error;
    EXPECT_FALSE(kSymbols.parse("Cmaj8", error).has_value());
    EXPECT_EQ(error, "unknown chord 'Cmaj8'; the closest we know: Cmaj7, Cmaj9, Cm(maj7)");
    EXPECT_FALSE(kSymbols.parse("", error).has_value());
    EXPECT_EQ(error, "give a chord symbol, e.g. Cmaj7");
    EXPECT_FALSE(kSymbols.parse("H7", error).has_value());
    EXPECT_EQ(error, "'H7' does not start with a note (A to G, then # or b)");
    EXPECT_FALSE(kSymbols.parse("C/H", error).has_value());             // no note after the slash
    EXPECT_FALSE(kSymbols.parse("C\xff\xc3(M\xe2", error).has_value()); // stray bytes
    EXPECT_EQ(CFChordSymbols::closest("Bb", "7#9", {"7", "7b9", "13#9", "m7"}),
              "Bb7b9, Bb7, Bb13#9");
}

TEST(CFChordSymbols, EveryVariantOfTheChordFileHasASymbolTheChordFinderNames) {
    const auto descriptions = fretkit::Bundle::main().propertyList("CFChords");
    ASSERT_TRUE(descriptions.has_value());
    const CFChordSymbols symbols(*descriptions);
    std::set<std::string> seen;
    for (unsigned variant = 0; variant < CHNoteTables::kVariantCount; ++variant) {
        const auto symbol = CHVariantSymbols::symbolOfVariant(variant);
        EXPECT_EQ(symbol.has_value(), CHNoteTables::variantNames()[variant].has_value());
        if (!symbol) {
            continue;
        }
        EXPECT_TRUE(seen.insert(*symbol).second) << *symbol << " names two variants";
        EXPECT_TRUE(symbols.suffixes().contains(*symbol)) << *symbol;
        std::string error;
        const auto parsed = symbols.parse("Ab" + *symbol, error);
        ASSERT_TRUE(parsed.has_value()) << error;
        EXPECT_EQ(CHVariantSymbols::variantOfSymbol(parsed->suffix), variant);
    }
    std::string error;
    EXPECT_EQ(symbols.parse("G7alt", error)->suffix, "7#5#9");
    EXPECT_FALSE(CHVariantSymbols::symbolOfVariant(CHNoteTables::kVariantCount).has_value());
    EXPECT_FALSE(CHVariantSymbols::variantOfSymbol("sus2").has_value());
}
