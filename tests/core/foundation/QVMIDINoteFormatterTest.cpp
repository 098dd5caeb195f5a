#include "foundation/QVMIDINoteFormatter.h"

#include <gtest/gtest.h>

using fretkit::QVMIDINoteFormatter;

TEST(QVMIDINoteFormatter, NamesNotesWithMiddleCAsC3) {
    QVMIDINoteFormatter formatter;
    EXPECT_EQ(formatter.stringForObjectValue(60), "C3");
    EXPECT_EQ(formatter.stringForObjectValue(0), "C-2");
    EXPECT_EQ(formatter.stringForObjectValue(127), "G8");
    EXPECT_EQ(formatter.stringForObjectValue(63), "Eb3");
    EXPECT_EQ(formatter.stringForObjectValue(70), "Bb3");
    EXPECT_EQ(formatter.stringForObjectValue(128), "<none>");
    EXPECT_EQ(formatter.stringForObjectValue(-1), "<none>");

    formatter.setShowOctave(false);
    EXPECT_EQ(formatter.stringForObjectValue(66), "F#");
    EXPECT_EQ(formatter.stringForObjectValue(8), "Ab");
    EXPECT_EQ(formatter.stringForObjectValue(200), "<none>");
}
