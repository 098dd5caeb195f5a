#include "ChordShape.h"
#include "chordfinder/CFChordNamer.h"
#include "chordfinder/CFChordSymbols.h"
#include "chords/CHDatabase.h"
#include "chords/CHNoteTables.h"
#include "chords/CHVariantFamily.h"
#include "chords/CHVariantSymbols.h"
#include "foundation/Bundle.h"

#include <gtest/gtest.h>
#include <iomanip>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

using fretkit::Bundle;
using fretkit::CFChordNamer;
using fretkit::CFChordSymbols;
using fretkit::CHChord;
using fretkit::CHDatabase;
using fretkit::CHNoteTables;
using fretkit::CHVariantSymbols;

namespace {

// Why a shape may be named other than as the chord it was written for. The chord finder hears
// notes, not intentions: where the same notes make several chords, it says the one a guitarist
// would, and these are the cases where that is not the chord the shape was stored as.
constexpr const char* kFromTheBass =
    "the same notes make a chord on the bass, and a chord is named from its bass where it can "
    "be (Am over C is C6)";
constexpr const char* kPlainerOverTheBass =
    "the same notes make a plainer chord over this bass (Bm6 / D rather than G#m7b5 / D)";
constexpr const char* kReachedFirst =
    "the same notes make another chord over this bass as plain, on a root that lies closer above "
    "the bass (Em7 / D for G6 / D)";
constexpr const char* kSymmetric =
    "the chord is symmetric: the same notes make it again on another of its notes";
constexpr const char* kRootless =
    "the voicing leaves out its root, and its notes make a chord on the bass or over it (a C9 "
    "without C is Em7b5 over E and Gm6 over Bb)";
constexpr const char* kTriadOverBass =
    "a suspended ninth without its fifth is the major triad a whole step below over the root, "
    "and guitarists write it so (C / D)";
constexpr const char* kDiminishedSeventh =
    "a seventh flat nine over its third, fifth or seventh is the diminished seventh on the bass "
    "with one note added (E7b9 over B is Bdim7add11)";

struct Ambiguity {
    const char* generated; // the symbol of the shape's variant
    const char* named;     // the symbol the chord finder gives the shape
    int rootMoved;         // semitones from the variant's root up to the named root
    const char* reason;
};

// The stored shapes meet the first few; the rest are what the common chords become over another
// bass or without their root, so that such shapes are expected when the chord file grows them.
const Ambiguity kAmbiguities[] = {
    {"m11b6", "6/9", 8, kPlainerOverTheBass},
    {"9sus4", "", 10, kTriadOverBass},
    {"m", "6", 3, kFromTheBass},
    {"m7", "6", 3, kFromTheBass},
    {"sus4", "7sus4", 7, kFromTheBass},
    {"7sus4", "sus2", 10, kFromTheBass},
    {"7sus4", "m11", 7, kFromTheBass},
    {"add9", "m7b6", 4, kFromTheBass},
    {"m6", "m7b5", 9, kFromTheBass},
    {"m6", "dim", 9, kFromTheBass},
    {"6/9", "m11", 9, kFromTheBass},
    {"9sus4", "add9", 10, kFromTheBass},
    {"9sus4", "m11", 7, kFromTheBass},
    {"9sus4", "6/9", 10, kFromTheBass},
    {"maj9", "m7b6", 4, kFromTheBass},
    {"m13", "11", 5, kFromTheBass},
    {"m13", "m11b6", 7, kFromTheBass},
    {"m13", "maj7#11add13", 3, kFromTheBass},
    {"m13", "6/9#11", 3, kFromTheBass},
    {"m11", "m11b6", 7, kFromTheBass},
    {"m11", "maj13", 3, kFromTheBass},
    {"m11", "13sus4", 5, kFromTheBass},
    {"m6/9", "m11b5", 9, kFromTheBass},
    {"m6/9", "maj7#11add13", 3, kFromTheBass},
    {"m9", "maj7add13", 3, kFromTheBass},
    {"6", "m", 9, kPlainerOverTheBass},
    {"m7b5", "m6", 3, kPlainerOverTheBass},
    {"m11", "7sus4", 5, kPlainerOverTheBass},
    {"m11", "6/9", 3, kPlainerOverTheBass},
    {"6/9", "madd11", 9, kPlainerOverTheBass},
    {"6", "m7", 9, kReachedFirst},
    {"aug", "aug", 4, kSymmetric},
    {"aug", "aug", 8, kSymmetric},
    {"dim7", "dim7", 3, kSymmetric},
    {"dim7", "dim7", 6, kSymmetric},
    {"dim7", "dim7", 9, kSymmetric},
    {"7b5", "7b5", 6, kSymmetric},
    {"9b5#5", "9b5#5", 2, kSymmetric},
    {"9b5#5", "9b5#5", 4, kSymmetric},
    {"9b5#5", "9b5#5", 6, kSymmetric},
    {"9b5#5", "9b5#5", 8, kSymmetric},
    {"9b5#5", "9b5#5", 10, kSymmetric},
    {"9", "m7b5", 4, kRootless},
    {"9", "m6", 7, kRootless},
    {"9", "6/9#11", 10, kRootless},
    {"m9", "maj7", 3, kRootless},
    {"maj9", "m7", 4, kRootless},
    {"13", "maj7#11", 10, kRootless},
    {"13", "maj9#11", 10, kRootless},
    {"13", "maj13#11", 10, kRootless},
    {"13", "maj7#11add13", 10, kRootless},
    {"13", "m6/9", 7, kRootless},
    {"13", "m11b5", 4, kRootless},
    {"m6/9", "13", 5, kRootless},
    {"7b9", "dim7add9", 10, kDiminishedSeventh},
    {"7b9", "dim7add11", 7, kDiminishedSeventh},
    {"7b9", "dim7addb13", 4, kDiminishedSeventh},
};

enum class Outcome { AsGenerated, Documented, Wrong };

struct Tally {
    int asGenerated = 0;
    int documented = 0;
    int wrong = 0;
    int total() const { return asGenerated + documented + wrong; }
};

int pitchClass(int value) {
    return ((value % 12) + 12) % 12;
}

class ChordDatabaseNames : public ::testing::Test {
protected:
    void SetUp() override {
        const auto descriptions = Bundle::main().propertyList("CFChords");
        ASSERT_TRUE(descriptions.has_value());
        namer_.emplace(*descriptions);
        symbols_.emplace(*descriptions);
        ASSERT_TRUE(database_.isOpen());
    }

    // The shape as the chord finder's fingers: frets per string, muted strings.
    static ChordShape fingering(const CHChord& chord) {
        ChordShape shape("xxxxxx");
        for (unsigned s = 0; s < CHChord::kStrings; ++s) {
            shape.mutes[s] = chord.mutedString(s);
            shape.frets[s] =
                chord.mutedString(s) || chord.openString(s) ? 0 : chord.fretForString(s);
        }
        return shape;
    }

    static std::string written(const ChordShape& shape) {
        std::ostringstream text;
        for (unsigned s = 0; s < CHChord::kStrings; ++s) {
            text << (s ? " " : "");
            if (shape.mutes[s]) {
                text << 'x';
            } else {
                text << shape.frets[s];
            }
        }
        return text.str();
    }

    // How the chord finder names `chord`; `note` says what it said when that is not as written.
    Outcome judge(const CHChord& chord, std::string& note) const {
        const ChordShape shape = fingering(chord);
        const auto result = namer_->nameChord(shape.frets, shape.mutes, kStandardTuning, 0);
        std::set<int> classes;
        int bass = -1;
        for (unsigned s = 0; s < CHChord::kStrings; ++s) {
            if (!shape.mutes[s]) {
                const int pitch =
                    kStandardTuning[CHChord::kStrings - 1 - s] + static_cast<int>(shape.frets[s]);
                classes.insert(pitchClass(pitch));
                bass = bass < 0 ? pitchClass(pitch) : bass;
            }
        }
        const std::string generated = *CHVariantSymbols::symbolOfVariant(chord.variant());
        std::ostringstream said;
        said << generated << " | " << (result.name.empty() ? "(no name)" : result.name) << " | "
             << written(shape);
        note = said.str();
        if (result.kind != CFChordNamer::Kind::Chord) {
            return classes.size() < 3 ? Outcome::Documented : Outcome::Wrong;
        }
        std::string error;
        const auto named = symbols_->parse(result.name, error);
        if (!named) {
            return Outcome::Wrong;
        }
        const int root = static_cast<int>(CHNoteTables::chromatic(chord.root()));
        const int namedRoot = static_cast<int>(CHNoteTables::chromatic(named->root));
        const int namedBass =
            named->bass ? static_cast<int>(CHNoteTables::chromatic(*named->bass)) : namedRoot;
        if (namedBass != bass) {
            return Outcome::Wrong;
        }
        if (namedRoot == root && named->suffix == generated) {
            return Outcome::AsGenerated;
        }
        for (const Ambiguity& ambiguity : kAmbiguities) {
            if (generated == ambiguity.generated && named->suffix == ambiguity.named &&
                pitchClass(namedRoot - root) == ambiguity.rootMoved) {
                return Outcome::Documented;
            }
        }
        return Outcome::Wrong;
    }

    std::optional<CFChordNamer> namer_;
    std::optional<CFChordSymbols> symbols_;
    CHDatabase database_;
};

} // namespace

TEST_F(ChordDatabaseNames, EveryStoredShapeIsNamedAsWrittenOrAsADocumentedAmbiguity) {
    std::map<std::string, Tally> byFamily;
    std::map<std::string, int> wrongs;
    for (unsigned root = 0; root < CHNoteTables::kNoteCount; ++root) {
        for (unsigned variant = 0; variant < CHNoteTables::kVariantCount; ++variant) {
            const auto* family = fretkit::CHVariantFamily::familyOfVariant(variant);
            if (family == nullptr) {
                continue;
            }
            for (const CHChord& chord :
                 database_.chordsForRoot(static_cast<int>(root), static_cast<int>(variant))) {
                std::string note;
                Tally& tally = byFamily[family->shortName];
                switch (judge(chord, note)) {
                case Outcome::AsGenerated:
                    ++tally.asGenerated;
                    break;
                case Outcome::Documented:
                    ++tally.documented;
                    break;
                case Outcome::Wrong:
                    ++tally.wrong;
                    ++wrongs[note];
                }
            }
        }
    }
    Tally all;
    std::ostringstream report;
    report << std::fixed << std::setprecision(1);
    for (const auto& [family, tally] : byFamily) {
        report << family << ": " << tally.total() << " shapes, " << tally.asGenerated
               << " as written, " << tally.documented << " documented, " << tally.wrong
               << " wrong: " << 100.0 * (tally.total() - tally.wrong) / tally.total() << " %\n";
        all.asGenerated += tally.asGenerated;
        all.documented += tally.documented;
        all.wrong += tally.wrong;
    }
    std::cout << report.str();
    ASSERT_GT(all.total(), 0);
    const double rate = static_cast<double>(all.total() - all.wrong) / all.total();
    std::cout << "all: " << all.total() << " shapes, " << 100.0 * rate << " %\n";
    std::ostringstream examples;
    for (const auto& [note, count] : wrongs) {
        examples << count << "x  " << note << '\n';
    }
    EXPECT_GE(rate, 0.99) << "variant | name | shape of the shapes not named as written:\n"
                          << examples.str();
}

TEST_F(ChordDatabaseNames, EveryVariantIsNamedBackToItselfByAtLeastOneStoredShape) {
    for (unsigned variant = 0; variant < CHNoteTables::kVariantCount; ++variant) {
        const auto symbol = CHVariantSymbols::symbolOfVariant(variant);
        if (!symbol) {
            continue;
        }
        bool roundTrip = false;
        for (unsigned root = 0; root < CHNoteTables::kNoteCount && !roundTrip; ++root) {
            for (const CHChord& chord :
                 database_.chordsForRoot(static_cast<int>(root), static_cast<int>(variant))) {
                const ChordShape shape = fingering(chord);
                const std::string name =
                    namer_->nameChord(shape.frets, shape.mutes, kStandardTuning, 0).name;
                std::string error;
                const auto parsed = symbols_->parse(name, error);
                if (parsed && CHVariantSymbols::variantOfSymbol(parsed->suffix) == variant &&
                    CHNoteTables::chromatic(parsed->root) == CHNoteTables::chromatic(root)) {
                    roundTrip = true;
                    break;
                }
            }
        }
        EXPECT_TRUE(roundTrip) << "no shape of variant " << variant << " (" << *symbol
                               << ") is named back to it";
    }
}
