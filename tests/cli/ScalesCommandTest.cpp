#include "ScalesCommand.h"

#include "MusicCliSupport.h"

#include <gtest/gtest.h>

TEST(ScalesCommand, RootsTakeUpToTwoAccidentals) {
    EXPECT_EQ(ScalesCommand::parseRoot("E")->name(), "E");
    EXPECT_EQ(ScalesCommand::parseRoot("bb")->name(), "Bb");
    EXPECT_EQ(ScalesCommand::parseRoot("F##")->name(), "F##");
    EXPECT_EQ(ScalesCommand::parseRoot("Ebb")->chromaticValue(), 2);
    for (const char* bad : {"", "H", "E#b", "C###", "Ex", "#"}) {
        EXPECT_FALSE(ScalesCommand::parseRoot(bad).has_value()) << bad;
    }
}

TEST(ScalesCommand, ListsPatternsWithFingersNotesOrIntervals) {
    const CliRun fingers = runCli({"scales", "E", "minor", "pentatonic"});
    EXPECT_EQ(fingers.status, 0);
    EXPECT_EQ(fingers.out.rfind("E Minor Pentatonic in Standard tuning: ", 0), 0u);
    EXPECT_NE(fingers.out.find("Pattern 1 of "), std::string::npos);
    EXPECT_NE(fingers.out.find("      E   A   D   G   B   E\n"
                               "      o   o   o   o   o   o\n"
                               "   1  |---|---|---|---|---|\n"
                               "   2  |---2---2---2---|---|\n"
                               "   3  3---|---|---|---3---3\n"),
              std::string::npos)
        << fingers.out;

    const CliRun notes = runCli({"scales", "E", "Minor Pentatonic", "--notes"});
    EXPECT_NE(notes.out.find("      E   A   D   G   B   E\n   1"), std::string::npos);
    EXPECT_NE(notes.out.find("   3  G---|---|---|---D---G\n"), std::string::npos);
    const CliRun intervals = runCli({"scales", "E", "5", "--intervals"});
    EXPECT_NE(intervals.out.find("      R   4   b7  b3  5   R\n"), std::string::npos);
    EXPECT_EQ(runCli({"scales", "E", "5", "--detune", "-2"}).out.find("Pattern 1"),
              notes.out.find("Pattern 1"));
}

TEST(ScalesCommand, NoteNamesReadAsTheIntervalLabels) {
    // C Locrian's fifth is flat: Gb, labelled b5, in the grid and in JSON alike.
    const CliRun notes = runCli({"scales", "C", "Locrian", "--notes"});
    EXPECT_NE(notes.out.find("   2  Gb--|---|---|---Db--Gb\n"), std::string::npos) << notes.out;
    const CliRun intervals = runCli({"scales", "C", "Locrian", "--intervals"});
    EXPECT_NE(intervals.out.find("   2  b5--|---|---|---b2--b5\n"), std::string::npos);
    const CliRun json = runCli({"scales", "C", "Locrian", "--json"});
    EXPECT_NE(json.out.find("\"note\": \"Gb\", \"interval\": \"b5\""), std::string::npos);
    EXPECT_EQ(json.out.find("F#"), std::string::npos);
}

TEST(ScalesCommand, JsonCarriesEveryNote) {
    const CliRun plain = runCli({"scales", "E", "Minor Pentatonic", "--json"});
    const CliRun raised = runCli({"scales", "E", "Minor Pentatonic", "--json", "--detune", "12"});
    EXPECT_EQ(plain.out.rfind("{\"scale\": \"E Minor Pentatonic\", \"tuning\": \"Standard\", "
                              "\"detune\": 0, \"patterns\": [{\"lowestFret\": 0, \"notes\": "
                              "[{\"string\": 0, \"fret\": 0, \"finger\": 0, \"note\": \"E\", "
                              "\"interval\": \"R\", \"midi\": 40}, ",
                              0),
              0u)
        << plain.out;
    EXPECT_NE(raised.out.find("\"midi\": 52}"), std::string::npos);
}

TEST(ScalesCommand, BadArgumentsAreUsageErrors) {
    EXPECT_EQ(runCli({"scales", "E"}).status, 2);
    EXPECT_EQ(runCli({"scales", "H", "Major"}).status, 2);
    const CliRun unknown = runCli({"scales", "E", "Lydian", "Flat", "Nine"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("'Lydian Flat Nine'"), std::string::npos);
    EXPECT_EQ(runCli({"scales", "E", "106"}).status, 2);
    EXPECT_EQ(runCli({"scales", "E", "Major", "--notes", "--intervals"}).status, 2);
    EXPECT_EQ(runCli({"scales", "E", "Major", "--detune", "1.5"}).status, 2);
}

TEST(ScalesProcess, StretchedPatternsAndTuningsByName) {
    TestBundle bundle({"SCScales.plist", "Localizable.strings"});
    bundle.dir().write("BZTunings.plist", kTuningsPlist);
    const SubprocessResult strict = bundle.run("scales E Blues");
    const SubprocessResult stretched = bundle.run("scales E Blues --stretched");
    EXPECT_NE(strict.output.find("2 patterns"), std::string::npos) << strict.output;
    EXPECT_NE(stretched.output.find("8 patterns"), std::string::npos) << stretched.output;
    EXPECT_NE(bundle.run("scales D Major --tuning 'Drop D'").output.find("in Drop D tuning"),
              std::string::npos);
    EXPECT_EQ(bundle.run("scales D Major --tuning 5").status, 2);
}
