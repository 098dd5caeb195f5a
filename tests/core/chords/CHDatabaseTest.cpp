#include "chords/CHDatabase.h"

#include "chords/CHVariantFamily.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using fretkit::CHChord;
using fretkit::CHDatabase;
using fretkit::CHVariantFamily;

namespace {

// A chord file with the real table layout; each row is given as its 27 values.
std::string makeDatabase(const TempDir& dir, const std::vector<std::vector<int>>& rows,
                         const std::string& table = "chords") {
    const std::string path = dir.file("chords.db");
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    std::string create =
        "CREATE TABLE " + table + " (root INTEGER, variant INTEGER, baseFret INTEGER";
    for (int s = 0; s < 6; ++s) {
        for (const char* column : {"finger", "fret", "optional", "note"}) {
            create += ", " + std::string(column) + std::to_string(s) + " INTEGER";
        }
    }
    EXPECT_EQ(sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    for (const auto& row : rows) {
        std::string insert = "INSERT INTO " + table + " VALUES (";
        for (std::size_t i = 0; i < row.size(); ++i) {
            insert += i ? "," : "";
            insert += std::to_string(row[i]);
        }
        EXPECT_EQ(sqlite3_exec(db, (insert + ")").c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    sqlite3_close(db);
    return path;
}

// E major triad, open position: 0 2 2 1 0 0.
std::vector<int> openE(int baseFret = 1) {
    return {13, 0, baseFret, 0, 6, 0, 13, 2, 1, 0, 4, 3, 1, 0,
            13, 1, 0,        0, 8, 0, 6,  0, 4, 0, 6, 0, 13};
}

// E major as an A-shape barre at fret 7: x 7 9 9 9 7.
std::vector<int> barreE() {
    return {13, 0, 7, 0, 5, 0, 0, 1, 0, 0, 4, 3, 2, 0, 13, 3, 2, 0, 8, 3, 2, 0, 4, 1, 0, 0, 13};
}

} // namespace

TEST(CHDatabase, AnswersTheShapesOfARootAndVariantInFretOrder) {
    TempDir dir;
    std::vector<int> minor = openE();
    minor[1] = 20;
    const std::string path = makeDatabase(dir, {barreE(), openE(), minor});
    CHDatabase database(path);
    ASSERT_TRUE(database.isOpen());

    const std::vector<CHChord> chords = database.chordsForRoot(13, 0);
    ASSERT_EQ(chords.size(), 2u);
    EXPECT_EQ(chords[0].baseFret(), 1u);
    EXPECT_EQ(chords[1].baseFret(), 7u);
    EXPECT_EQ(chords[1].fretForString(2), 9u);
    EXPECT_EQ(chords[1].description(), "root = 13, variant = 0, baseFret = 7");

    // A query with no rows leaves the statement ready for the next one.
    EXPECT_TRUE(database.chordsForRoot(7, 3).empty());
    EXPECT_EQ(database.chordsForRoot(13, 20).size(), 1u);
    EXPECT_EQ(database.chordsForRoot(13, 0).size(), 2u);
}

TEST(CHDatabase, MissingOrForeignFilesGiveNoShapesAndOneLogLine) {
    TempDir dir;
    {
        LogCapture log;
        CHDatabase database(dir.file("absent.db"));
        EXPECT_FALSE(database.isOpen());
        EXPECT_TRUE(database.chordsForRoot(13, 0).empty());
        EXPECT_EQ(log.lines().size(), 1u);
    }
    {
        LogCapture log;
        CHDatabase database(std::nullopt);
        EXPECT_TRUE(database.chordsForRoot(13, 0).empty());
        EXPECT_EQ(log.lines().size(), 1u);
    }
    {
        LogCapture log;
        CHDatabase database(
            dir.write("garbage.db", "this is not a database at all, not even close"));
        EXPECT_TRUE(database.chordsForRoot(13, 0).empty());
        EXPECT_EQ(log.lines().size(), 1u);
    }
    {
        LogCapture log;
        CHDatabase database(makeDatabase(dir, {openE()}, "shapes"));
        EXPECT_TRUE(database.chordsForRoot(13, 0).empty());
        EXPECT_EQ(log.lines().size(), 1u);
    }
}

TEST(CHDatabase, RowsWithOutOfRangeValuesAreSkippedWithALogLine) {
    TempDir dir;
    std::vector<int> badFinger = openE(3);
    badFinger[7] = 9; // finger of string 1, which is fretted
    std::vector<int> badFret = openE(4);
    badFret[4] = 7;
    std::vector<int> mutedWithJunk = openE(5);
    mutedWithJunk[3] = 42; // finger and note of a muted string are not read
    mutedWithJunk[4] = 5;
    mutedWithJunk[6] = -1;
    CHDatabase database(makeDatabase(dir, {openE(), badFinger, badFret, mutedWithJunk}));

    LogCapture log;
    const std::vector<CHChord> chords = database.chordsForRoot(13, 0);
    ASSERT_EQ(chords.size(), 2u);
    EXPECT_EQ(chords[1].baseFret(), 5u);
    EXPECT_TRUE(chords[1].mutedString(0));
    EXPECT_EQ(log.lines().size(), 2u);
    EXPECT_TRUE(log.contains("finger 9"));
    EXPECT_TRUE(log.contains("fret code 7"));
}

TEST(CHDatabase, NamingTablesHoldTwentyOneNotesAndSixtyNineVariants) {
    const auto& notes = CHDatabase::noteNames();
    ASSERT_EQ(notes.size(), 21u);
    EXPECT_EQ(notes[0], "Ab");
    EXPECT_EQ(notes[5], "B#");
    EXPECT_EQ(notes[6], "Cb");
    EXPECT_EQ(notes[13], "E");
    EXPECT_EQ(notes[20], "G#");

    const auto& variants = CHDatabase::variantNames();
    ASSERT_EQ(variants.size(), 69u);
    for (unsigned empty : {8u, 10u, 13u, 19u, 62u}) {
        EXPECT_FALSE(variants[empty].has_value()) << empty;
    }
    EXPECT_EQ(*variants[11], "7 #11");
    EXPECT_EQ(*variants[18], "7 #5 #11");
    EXPECT_EQ(*variants[27], "7 b5");
    EXPECT_EQ(*variants[34], "/maj7");
    EXPECT_EQ(*variants[42], "#5");
    EXPECT_EQ(*variants[57], "7 #9 b5");
    EXPECT_EQ(*variants[58], "7 b9 #5");
    EXPECT_EQ(*variants[59], "7 #5 b5");
    EXPECT_EQ(*variants[61], "7 #9 b9");
    EXPECT_EQ(*variants[63], "13 susb9");
    EXPECT_EQ(*variants[67], "7 addb13");
    EXPECT_EQ(*variants[68], "maj7");
}

TEST(CHVariantFamily, FamiliesCoverEveryNamedVariantOnce) {
    const auto& families = CHVariantFamily::all();
    ASSERT_EQ(families.size(), 4u);
    std::size_t total = 0;
    for (const auto& family : families) {
        total += family.variants.size();
    }
    EXPECT_EQ(total, 64u);
    EXPECT_EQ(families[0].variants.size(), 16u);
    EXPECT_EQ(CHVariantFamily::familyOfVariant(36)->shortName, "Dom");
    EXPECT_EQ(CHVariantFamily::familyOfVariant(35)->fullName, "Minor");
    EXPECT_EQ(CHVariantFamily::familyOfVariant(62), nullptr);
    EXPECT_EQ(CHVariantFamily::familyOfVariant(69), nullptr);
}
