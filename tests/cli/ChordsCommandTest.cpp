#include "ChordsCommand.h"

#include "ChordChoice.h"
#include "MusicCliSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A chord file holding two E major shapes and one A 7#9.
void writeChordFile(const std::string& path) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    std::string create = "CREATE TABLE chords (root, variant, baseFret";
    for (int s = 0; s < 6; ++s) {
        create += ", f" + std::to_string(s) + ", c" + std::to_string(s) + ", o" +
                  std::to_string(s) + ", n" + std::to_string(s);
    }
    const std::string rows[] = {
        // E Maj triad at the seventh fret, A shape: x 7 9 9 9 7
        "13,0,7, 0,5,0,0, 1,0,0,13, 3,2,0,4, 3,2,0,13, 3,2,0,20, 1,0,0,4",
        // E Maj triad open: 0 2 2 1 0 0
        "13,0,1, 0,6,0,13, 2,1,0,4, 3,1,0,13, 1,0,0,20, 0,6,0,4, 0,6,0,13",
        // A Dom 7 #9: x 0 2 0 1 3 ... written x 12 11 12 13 x at baseFret 11
        "1,49,11, 0,5,0,0, 2,1,0,1, 1,0,0,8, 3,1,0,19, 4,2,0,5, 0,5,0,0",
    };
    ASSERT_EQ(sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    for (const std::string& row : rows) {
        const std::string insert = "INSERT INTO chords VALUES (" + row + ")";
        ASSERT_EQ(sqlite3_exec(db, insert.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    sqlite3_close(db);
}

} // namespace

TEST(ChordsCommand, RootsAndVariantsAreReadAsMusiciansWriteThem) {
    EXPECT_EQ(ChordsCommand::parseRoot("E"), 13u);
    EXPECT_EQ(ChordsCommand::parseRoot("bb"), 3u);
    EXPECT_EQ(ChordsCommand::parseRoot("F#"), 17u);
    EXPECT_FALSE(ChordsCommand::parseRoot("H").has_value());
    EXPECT_FALSE(ChordsCommand::parseRoot("").has_value());

    std::string error;
    EXPECT_EQ(ChordsCommand::parseVariant({"Maj", "triad"}, error), 0u);
    EXPECT_EQ(ChordsCommand::parseVariant({"minor", "triad"}, error), 20u);
    EXPECT_EQ(ChordsCommand::parseVariant({"Dom", "7 #9"}, error), 49u);
    EXPECT_EQ(ChordsCommand::parseVariant({"dom", "7", "#9"}, error), 49u);
    EXPECT_EQ(ChordsCommand::parseVariant({"Dim", "maj7"}, error), 68u);
    EXPECT_EQ(ChordsCommand::parseVariant({"36"}, error), 36u);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"62"}, {"69"}, {"-1"}, {"triad"}, {"Maj"}, {"Aug", "triad"}}) {
        error.clear();
        EXPECT_FALSE(ChordsCommand::parseVariant(bad, error).has_value()) << bad[0];
        EXPECT_FALSE(error.empty());
    }
    error.clear();
    EXPECT_FALSE(ChordsCommand::parseVariant({"Dom", "7 #13"}, error).has_value());
    EXPECT_NE(error.find("\"7 #9\""), std::string::npos);
}

TEST(ChordChoice, SymbolsAndTheFamilyFormNameTheSameChords) {
    const std::vector<std::pair<std::vector<std::string>, ChordChoice>> cases = {
        {{"Cmaj7"}, {7, 1, std::nullopt}},      {{"C", "Maj", "7"}, {7, 1, std::nullopt}},
        {{"C", "maj7"}, {7, 1, std::nullopt}},  {{"F#m7b5"}, {17, 27, std::nullopt}},
        {{"Bb7#9"}, {3, 49, std::nullopt}},     {{"Asus4"}, {1, 4, std::nullopt}},
        {{"C", "major"}, {7, 0, std::nullopt}}, {{"A", "49"}, {1, 49, std::nullopt}},
        {{"C", "/", "E"}, {7, 0, 13u}},         {{"Dbmaj7/F"}, {9, 1, 16u}},
    };
    for (const auto& [words, expected] : cases) {
        std::string error;
        int status = 0;
        const auto choice = ChordChoice::parse(words, error, status);
        ASSERT_TRUE(choice.has_value()) << words[0] << ": " << error;
        EXPECT_EQ(choice->root, expected.root) << words[0];
        EXPECT_EQ(choice->variant, expected.variant) << words[0];
        EXPECT_EQ(choice->bass, expected.bass) << words[0];
    }
    const ChordChoice overE{7, 1, 13u};
    EXPECT_EQ(overE.name(), "C Maj 7");
    EXPECT_EQ(overE.symbol(), "Cmaj7 / E");

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{}, {"Csus2"}, {"Cmaj8"}, {"H", "Maj", "triad"}}) {
        std::string error;
        int status = 0;
        EXPECT_FALSE(ChordChoice::parse(bad, error, status).has_value());
        EXPECT_EQ(status, 2);
        EXPECT_FALSE(error.empty());
    }
}

TEST(ChordsCommand, BadArgumentsAreUsageErrors) {
    EXPECT_EQ(runCli({"chords"}).status, 2);
    EXPECT_EQ(runCli({"chords", "Emaj8"}).status, 2);
    EXPECT_EQ(runCli({"chords", "X", "Maj", "triad"}).status, 2);
    EXPECT_EQ(runCli({"chords", "E", "Maj", "triad", "--frets"}).status, 2);
}

TEST(ChordsProcess, ShapesAreDrawnWithFingersAndNotesOrIntervals) {
    TestBundle bundle({"Localizable.strings"});
    writeChordFile(bundle.dir().file("chords.db"));

    const SubprocessResult shapes = bundle.run("chords E Maj triad");
    EXPECT_EQ(shapes.status, 0);
    EXPECT_EQ(shapes.output, "E Maj triad (E), shape 1 of 2\n"
                             "      E   B   E   G#  B   E\n"
                             "      o               o   o\n"
                             "   1  |---|---|---1---|---|\n"
                             "   2  |---2---3---|---|---|\n"
                             "   3  |---|---|---|---|---|\n"
                             "   4  |---|---|---|---|---|\n"
                             "\n"
                             "E Maj triad (E), shape 2 of 2\n"
                             "          E   B   E   G#  B\n"
                             "      x\n"
                             "   7  |---1---|---|---|---1\n"
                             "   8  |---|---|---|---|---|\n"
                             "   9  |---|---3---3---3---|\n"
                             "  10  |---|---|---|---|---|\n");

    const SubprocessResult intervals = bundle.run("chords A Dom '7 #9' --intervals");
    EXPECT_NE(intervals.output.find("A Dom 7 #9 (A7#9), shape 1 of 1\n          R   3   b7  #9\n"),
              std::string::npos)
        << intervals.output;

    const SubprocessResult json = bundle.run("chords A 49 --json");
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.output.find("\"name\": \"A Dom 7 #9\""), std::string::npos);
    EXPECT_NE(json.output.find("{\"string\": 1, \"state\": \"fretted\", \"fret\": 12, \"finger\": "
                               "2, \"note\": \"A\", \"interval\": \"R\"}"),
              std::string::npos)
        << json.output;
    EXPECT_NE(json.output.find("\"rootString\": 1"), std::string::npos);

    EXPECT_EQ(bundle.run("chords C Maj triad").output,
              "C Maj triad (C): no shapes in the chord database\n");
    EXPECT_EQ(bundle.run("chords C Maj triad --json").output,
              "{\"root\": \"C\", \"variant\": 0, \"name\": \"C Maj triad\", \"symbol\": \"C\", "
              "\"shapes\": []}\n");
}

TEST(ChordsProcess, ChordsAreFoundByTheSymbolsGuitaristsWrite) {
    TestBundle bundle({"Localizable.strings", "CFChords.plist"});
    writeChordFile(bundle.dir().file("chords.db"));

    const SubprocessResult major = bundle.run("chords E");
    EXPECT_EQ(major.status, 0);
    EXPECT_NE(major.output.find("E Maj triad (E), shape 2 of 2\n"), std::string::npos);
    EXPECT_EQ(bundle.run("chords 'A7(#9)' --json").output, bundle.run("chords A 49 --json").output);
    EXPECT_NE(bundle.run("chords A7#9 --json").output.find("\"symbol\": \"A7#9\""),
              std::string::npos);
    // A bass keeps the shapes that sound it lowest: both E shapes have E there, none G#.
    EXPECT_NE(bundle.run("chords E/E").output.find("shape 2 of 2"), std::string::npos);
    EXPECT_EQ(bundle.run("chords E / G#").output,
              "E Maj triad (E / G#): no shapes over G# in the chord database\n");

    const SubprocessResult unknown = bundle.run("chords Emaj8");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(bundle.lastStderr().find("unknown chord 'Emaj8'; the closest we know: Emaj7"),
              std::string::npos)
        << bundle.lastStderr();
    EXPECT_EQ(bundle.run("chords Esus2").status, 2);
    EXPECT_NE(bundle.lastStderr().find("Esus2 has no shapes in the chord database; the closest "
                                       "it has: Esus4"),
              std::string::npos)
        << bundle.lastStderr();
}

TEST(ChordsProcess, WithoutTheChordDescriptionsOnlyTheFamilyFormWorks) {
    TestBundle bundle({"Localizable.strings"});
    writeChordFile(bundle.dir().file("chords.db"));
    EXPECT_EQ(bundle.run("chords E Maj triad").status, 0);
    EXPECT_EQ(bundle.run("chords Emaj7").status, 1);
    EXPECT_NE(bundle.lastStderr().find("CFChords.plist"), std::string::npos);
}

TEST(ChordsProcess, AMissingChordDatabaseIsAFailureWithAMessage) {
    TestBundle bundle({"Localizable.strings"});
    const SubprocessResult result = bundle.run("chords E Maj triad");
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.output.empty());
    EXPECT_NE(bundle.lastStderr().find("chord database"), std::string::npos);
}
