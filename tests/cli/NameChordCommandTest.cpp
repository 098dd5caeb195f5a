#include "NameChordCommand.h"

#include "MusicCliSupport.h"

#include <gtest/gtest.h>

TEST(NameChordCommand, ParsesCompactAndSeparatedFingerings) {
    std::string error;
    const auto compact = NameChordCommand::parseFrets("x32010", error);
    ASSERT_TRUE(compact.has_value());
    EXPECT_TRUE(compact->mutes[0]);
    EXPECT_EQ(compact->frets[1], 3u);
    const auto spaced = NameChordCommand::parseFrets(" 8 x 10,9 8 X ", error);
    ASSERT_TRUE(spaced.has_value());
    EXPECT_EQ(spaced->frets[2], 10u);
    EXPECT_TRUE(spaced->mutes[5]);
    EXPECT_EQ(NameChordCommand::parseFrets("24 24 24 24 24 24", error)->frets[0], 24u);
}

TEST(NameChordCommand, MalformedFingeringsNameTheBadToken) {
    std::string error;
    for (const auto& [text, token] :
         std::vector<std::pair<std::string, std::string>>{{"x3201q", "'q'"},
                                                          {"x 3 2 0 1 25", "'25'"},
                                                          {"x 3 -2 0 1 0", "'-2'"},
                                                          {"x 3 +2 0 1 0", "'+2'"},
                                                          {"x32", "six strings"},
                                                          {"x 3 2 0 1 0 0", "six strings"},
                                                          {"", "six strings"}}) {
        error.clear();
        EXPECT_FALSE(NameChordCommand::parseFrets(text, error).has_value()) << text;
        EXPECT_NE(error.find(token), std::string::npos) << error;
    }
}

TEST(NameChordCommand, NamesAFingeringOrSaysWhyNot) {
    EXPECT_EQ(runCli({"name-chord", "x32010"}).out, "C\n");
    EXPECT_EQ(runCli({"name-chord", "x", "3", "2", "0", "1", "0"}).out, "C\n");
    EXPECT_EQ(runCli({"name-chord", "x32010", "--detune", "2"}).out, "D\n");
    EXPECT_EQ(runCli({"name-chord", "x32010", "--detune=-12"}).out, "C\n");
    EXPECT_EQ(runCli({"name-chord", "000000"}).out, "Open strings\n");
    EXPECT_EQ(runCli({"name-chord", "x355xx"}).out, "No chord\n");

    const CliRun bad = runCli({"name-chord", "x3201q"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_NE(bad.err.find("'q'"), std::string::npos);
    EXPECT_EQ(runCli({"name-chord"}).status, 2);
    EXPECT_EQ(runCli({"name-chord", "x32010", "--detune", "two"}).status, 2);
    EXPECT_EQ(runCli({"name-chord", "x32010", "--detune", "99"}).status, 2);
    EXPECT_EQ(runCli({"name-chord", "x32010", "--capo", "2"}).status, 2);
    EXPECT_EQ(runCli({"name-chord", "x32010", "--tuning"}).status, 2);
    EXPECT_EQ(runCli({"name-chord", "--batch", "x32010"}).status, 2);
}

TEST(NameChordProcess, BatchAnswersEveryLineAndGoesOnPastBadOnes) {
    TestBundle bundle({"CFChords.plist", "Localizable.strings"});
    const SubprocessResult result =
        bundle.run("name-chord --batch", "x32010\\n022000\\n\\nx3201q\\n2x0232\\n000000\\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.output, "C\nEm\n\nerror: bad fret 'q' for string 6 (thickest first): use "
                             "0-24 or x\nD / F#\nOpen strings\n");

    EXPECT_EQ(bundle.run("name-chord --batch", "x32010\\n").status, 0);
}

TEST(NameChordProcess, TuningsComeFromTheBundleByNameOrIndex) {
    TestBundle bundle({"CFChords.plist", "Localizable.strings"});
    // Without a tunings list, standard tuning is the one choice.
    EXPECT_EQ(bundle.run("name-chord 000232").output, "D / E\n");
    EXPECT_EQ(bundle.run("name-chord 000232 --tuning 1").status, 2);

    bundle.dir().write("BZTunings.plist", kTuningsPlist);
    EXPECT_EQ(bundle.run("name-chord 000232 --tuning 'drop d'").output, "D\n");
    EXPECT_EQ(bundle.run("name-chord 000232 --tuning 1").output, "D\n");
    EXPECT_EQ(bundle.run("name-chord 000232 --tuning=0").output, "D / E\n");
    const SubprocessResult unknown = bundle.run("name-chord 000232 --tuning Nashville");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(bundle.lastStderr().find("1  Drop D"), std::string::npos);
    EXPECT_EQ(bundle.run("name-chord 000232 --tuning Broken").status, 2);
}

TEST(NameChordProcess, MissingChordDescriptionsAreAFailureNotACrash) {
    TestBundle bundle({"Localizable.strings"});
    EXPECT_EQ(bundle.run("name-chord x32010").status, 1);
    EXPECT_NE(bundle.lastStderr().find("CFChords"), std::string::npos);
}
