// The sources of a chord's shapes before the choice: the shape book, the drop and shell
// voicings, and how the chooser orders what they give.

#include "ChordDbGenerator.h"
#include "DropVoicings.h"
#include "ShapeBook.h"
#include "ShapeChooser.h"
#include "ShellVoicings.h"
#include "chords/CHNoteTables.h"

#include <gtest/gtest.h>

using namespace fretkit;

namespace {

using Kind = ChordShape::Kind;

ChordTones chord(const std::string& root, const std::string& formula) {
    std::string error;
    const auto parsed = ChordFormula::parse(std::string("0 ").append(formula), error);
    EXPECT_EQ(error, "");
    const auto& names = CHNoteTables::noteNames();
    const auto index =
        static_cast<unsigned>(std::find(names.begin(), names.end(), root) - names.begin());
    return ChordTones(parsed.at(0).spell(index));
}

const char* const kMajor = "1 3 (5)";
const char* const kSeventh = "1 3 (5) b7";
const char* const kMajorSeventh = "1 3 (5) 7";
const char* const kDiminishedSeventh = "1 b3 b5 bb7";

std::string written(const ChordShape::Frets& frets) {
    std::string text;
    for (int fret : frets) {
        text += text.empty() ? "" : " ";
        text += fret < 0 ? std::string("x") : std::to_string(fret);
    }
    return text;
}

// The shapes of `shapes` as written, with their kinds.
std::map<std::string, Kind> byFrets(const std::vector<ChordShape>& shapes) {
    std::map<std::string, Kind> found;
    for (const ChordShape& shape : shapes) {
        found.emplace(written(shape.frets), shape.origin.kind);
    }
    return found;
}

ShapeBook book(const std::string& text) {
    std::string error;
    auto parsed = ShapeBook::parse(text, error);
    EXPECT_TRUE(parsed) << error;
    return parsed.value_or(ShapeBook{});
}

} // namespace

TEST(ShapeBook, MistakesNameTheLine) {
    for (const char* bad : {"E E 02210", "E H 022100", "F E 022100", "E E 0221y0", "E E",
                            "E E 022100 7", "A A x02220\nopen B x2120"}) {
        std::string error;
        EXPECT_FALSE(ShapeBook::parse(bad, error)) << bad;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << bad << ": " << error;
    }
    std::string error;
    const auto read = ShapeBook::parse("# a comment\n\nE  F#  2x221x   # m7b5\n", error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->lines().size(), 1u);
    EXPECT_EQ(read->lines()[0].number, 3u);
    EXPECT_EQ(read->lines()[0].frets, (ChordShape::Frets{2, -1, 2, 2, 1, -1}));
}

TEST(ShapeBook, FormsMoveUpTheNeckAndTheFirstLineOfAFormIsItsShape) {
    const ShapeBook forms = book("E E 022100\n"
                                 "E E 022130\n" // a seventh: no shape of a major chord
                                 "E E x22100\n"
                                 "open G 320003\n");
    const auto f = byFrets(forms.shapesFor(chord("F", kMajor)));
    EXPECT_EQ(f.at("1 3 3 2 1 1"), Kind::Book);
    EXPECT_EQ(f.at("13 15 15 14 13 13"), Kind::Book);
    EXPECT_EQ(f.at("x 3 3 2 1 1"), Kind::Alternate);
    EXPECT_EQ(f.at("x x 3 2 1 1"), Kind::Upper); // the barre's top four strings
    EXPECT_FALSE(f.contains("3 2 0 0 0 3")) << "an open chord stays at its root";
    EXPECT_FALSE(f.contains("x x 2 1 0 0")) << "only barre shapes give their upper strings";

    // Open chords as the book writes them are what beginners learn.
    const auto isOpenChord = [](const std::vector<ChordShape>& shapes, const std::string& frets) {
        return std::any_of(shapes.begin(), shapes.end(), [&](const ChordShape& shape) {
            return written(shape.frets) == frets && shape.origin.openChord;
        });
    };
    EXPECT_TRUE(isOpenChord(forms.shapesFor(chord("G", kMajor)), "3 2 0 0 0 3"));
    EXPECT_TRUE(isOpenChord(forms.shapesFor(chord("E", kMajor)), "0 2 2 1 0 0"));
    const auto cm = byFrets(book("C D x5323x\n").shapesFor(chord("C", "1 b3 (5)")));
    EXPECT_TRUE(cm.contains("x 15 13 12 13 x"));
    EXPECT_FALSE(cm.contains("x 3 1 0 1 x")) << "a barre form stays off the open position";
}

TEST(ShapeBook, ABookShapeMayTakeTheStringBelowItsBassForTheThirdOrFifth) {
    const ShapeBook forms = book("C C x32010\nA A x02220\n");
    const auto c = byFrets(forms.shapesFor(chord("C", kMajor)));
    EXPECT_EQ(c.at("0 3 2 0 1 0"), Kind::LowerBass); // the open E, the third
    EXPECT_EQ(c.at("3 3 2 0 1 0"), Kind::LowerBass); // G, the fifth
    EXPECT_EQ(c.at("3 3 5 5 5 3"), Kind::LowerBass); // the barre laid over one string more
    EXPECT_FALSE(c.contains("8 3 2 0 1 0"));         // out of reach of the open position
    EXPECT_FALSE(c.contains("x 3 2 0 1 3"));         // nothing is added above the bass
}

TEST(ShapeBook, ChordsThatRepeatEveryFewFretsGiveTheirInversionsAsAlternatives) {
    const ShapeBook forms = book("D D xx0101\n");
    const auto c = byFrets(forms.shapesFor(chord("C", kDiminishedSeventh)));
    EXPECT_EQ(c.at("x x 10 11 10 11"), Kind::Book);  // C in the bass
    EXPECT_EQ(c.at("x x 1 2 1 2"), Kind::Alternate); // E flat, the third
    EXPECT_EQ(c.at("x x 4 5 4 5"), Kind::Alternate); // G flat, the fifth
    EXPECT_FALSE(c.contains("x x 7 8 7 8"));         // A, the seventh, is no bass
    // A major chord does not repeat: the line serves it only where its root lands on C.
    for (const ChordShape& shape : book("E E 022100\n").shapesFor(chord("C", kMajor))) {
        EXPECT_EQ(shape.baseFret, 8) << written(shape.frets);
    }
}

TEST(DropVoicings, SeventhsAreDroppedOntoTheUsualStringSets) {
    const auto cmaj7 = byFrets(DropVoicings::of(chord("C", kMajorSeventh)));
    EXPECT_TRUE(cmaj7.contains("x 3 5 4 5 x"));     // drop 2, strings 2-5
    EXPECT_TRUE(cmaj7.contains("x x 10 12 12 12")); // drop 2, strings 1-4
    EXPECT_TRUE(cmaj7.contains("8 10 9 9 x x"));    // drop 2, strings 3-6
    EXPECT_TRUE(cmaj7.contains("8 x 9 9 8 x"));     // drop 3, root on string 6
    EXPECT_TRUE(cmaj7.contains("x 3 x 4 5 3"));     // drop 3, root on string 5
    EXPECT_EQ(cmaj7.size(), 5u);
    // A sixth is voiced like a seventh; a seventh flat five keeps its altered fifth.
    EXPECT_EQ(DropVoicings::fourTones(chord("C", "1 3 (5) 6")),
              (std::vector<unsigned>{0, 4, 7, 9}));
    EXPECT_TRUE(byFrets(DropVoicings::of(chord("C", "1 b3 b5 b7"))).contains("x 3 4 3 4 x"));
    // Tensions stay on top, in the shell voicings: no drop puts a ninth under the third.
    EXPECT_TRUE(DropVoicings::fourTones(chord("C", "1 3 (5) b7 #9")).empty());
    EXPECT_TRUE(DropVoicings::of(chord("C", kMajor)).empty());
    EXPECT_TRUE(DropVoicings::of(chord("C", "1 3 (5) 9")).empty()); // no seventh
}

TEST(ShellVoicings, TheRootTheGuideTonesThenTheTensionsOnTop) {
    const auto thirteen = byFrets(ShellVoicings::of(chord("C", "1 3 (5) b7 (9) 13")));
    EXPECT_TRUE(thirteen.contains("x 3 x 3 5 5")); // R b7 3 13, string 4 skipped
    EXPECT_TRUE(thirteen.contains("x 3 2 3 3 5")); // R 3 b7 9 13
    EXPECT_TRUE(thirteen.contains("8 x 8 9 10 x"));
    EXPECT_FALSE(thirteen.contains("x 3 2 3 x x")) << "the thirteenth is required";
    const auto sharpNine = byFrets(ShellVoicings::of(chord("C", "1 3 (5) b7 #9")));
    EXPECT_TRUE(sharpNine.contains("x 3 2 3 4 x"));
    const auto sevenths = ShellVoicings::of(chord("C", kSeventh));
    EXPECT_TRUE(byFrets(sevenths).contains("8 x 8 9 x x"));
    EXPECT_TRUE(byFrets(sevenths).contains("8 7 8 x x x"));
    for (const ChordShape& shape : sevenths) {
        EXPECT_EQ(std::count(shape.frets.begin(), shape.frets.end(), ChordShape::kMuted), 3)
            << written(shape.frets) << ": the fifth is left out";
    }
    EXPECT_TRUE(ShellVoicings::of(chord("C", "1 3 (5) 9")).empty());
}

TEST(ShapeChooser, TheLeadGoesFirstAndNothingStartsNearerTheNut) {
    const ShapeBook forms = book("A A x02210\nE E 022000\n");
    const auto bm = ChordDbGenerator::shapesOf(chord("B", "1 b3 (5)"), forms);
    ASSERT_FALSE(bm.empty());
    EXPECT_EQ(written(bm.front().frets), "x 2 4 4 3 2");
    for (const ChordShape& shape : bm) {
        EXPECT_GE(shape.baseFret, 2) << written(shape.frets); // no x20432 before it
    }
    EXPECT_LE(bm.size(), ShapeChooser::kMostShapes);

    // The C and G forms count a few frets higher: E flat leads with its A form, not x65343.
    const ShapeBook caged = book("A A x02220\nC C x32010\n");
    const auto eb = ChordDbGenerator::shapesOf(chord("Eb", kMajor), caged);
    EXPECT_EQ(written(eb.front().frets), "x 6 8 8 8 6");
    // Without a book shape the easiest find leads.
    const auto c = ChordDbGenerator::shapesOf(chord("C", kMajor), book(""));
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(c.front().origin.kind, Kind::Found);
}
