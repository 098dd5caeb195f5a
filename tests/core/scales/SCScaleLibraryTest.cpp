#include "scales/SCScaleLibrary.h"

#include "foundation/Bundle.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;
using fretkit::SCNote;
using fretkit::SCScaleLibrary;
using fretkit::SCScaleNote;
using Group = SCScaleLibrary::Group;

namespace {

PlistValue types(unsigned count) {
    PlistValue list = PlistValue::array();
    for (unsigned i = 0; i < count; ++i) {
        list.append(
            PlistValue::dictionary({{"name", "Type " + std::to_string(i)},
                                    {"intervals", PlistValue::array({0, 2, 4, 5, 7, 9, 11})}}));
    }
    return list;
}

} // namespace

TEST(SCScaleLibrary, GroupsAreTheFourRunsOfTypesCutShortWhereTheListEnds) {
    const SCScaleLibrary full({}, types(106), PlistValue::array());
    EXPECT_EQ(full.group(0), (Group{0, 11}));
    EXPECT_EQ(full.group(1), (Group{11, 7}));
    EXPECT_EQ(full.group(2), (Group{18, 67}));
    EXPECT_EQ(full.group(3), (Group{85, 21}));
    EXPECT_EQ(full.group(4), (Group{0, 0}));
    // A shorter list (an older or edited bundle) never leads past its end.
    const SCScaleLibrary shorter({}, types(15), PlistValue::array());
    EXPECT_EQ(shorter.group(1), (Group{11, 4}));
    EXPECT_EQ(shorter.group(3), (Group{15, 0}));
}

TEST(SCScaleLibrary, RowsAndTypesPastTheirListsNameAndFindNothing) {
    const SCScaleLibrary library({SCNote(5, 0), SCNote(6, -1)}, types(2),
                                 PlistValue::array({PlistValue::dictionary(
                                     {{"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}})}));
    EXPECT_EQ(library.scaleName(1, 1), "Bb Type 1");
    EXPECT_EQ(library.rootName(2), "");
    EXPECT_EQ(library.typeName(2), "");
    EXPECT_FALSE(library.scalesForRoot(0, 0, {}).empty());
    EXPECT_TRUE(library.scalesForRoot(2, 0, {}).empty());
    EXPECT_TRUE(library.scalesForRoot(0, 2, {}).empty());
}

TEST(SCScaleLibrary, ABundleWithoutTheListsGivesEmptyOnesAndTheAppsBundleHasThemAll) {
    TempDir empty;
    const SCScaleLibrary none{fretkit::Bundle(empty.path().string())};
    EXPECT_TRUE(none.roots().empty());
    EXPECT_EQ(none.types().count(), 0u);
    EXPECT_EQ(none.group(0), (Group{0, 0}));
    EXPECT_TRUE(none.scalesForRoot(0, 0, {}).empty());

    const SCScaleLibrary app{fretkit::Bundle::main()};
    EXPECT_EQ(app.roots().size(), 15u);
    EXPECT_EQ(app.group(3), (Group{85, 21}));
    EXPECT_EQ(app.scaleName(12, 5), "A Minor Pentatonic");
    EXPECT_EQ(app.tunings()[3]["name"].stringValue(), "Drop D");
}

TEST(SCScaleLibrary, AMarkerShowsItsFingerItsNameOrItsIntervalAsTheLabelsAsk) {
    SCScaleNote note = SCScaleNote::scaleNoteForRoot(SCNote(3, 0), 3); // Ab over F
    note.setFinger(4);
    EXPECT_EQ(SCScaleLibrary::markerTitle(note, 0), "4");
    EXPECT_EQ(SCScaleLibrary::markerTitle(note, 1), "Ab");
    EXPECT_EQ(SCScaleLibrary::markerTitle(note, 2), "b3");
    EXPECT_EQ(SCScaleLibrary::markerTitle(note, 3), "");
    EXPECT_EQ(SCScaleLibrary::markerTitle(note, -1), "");
    note.setFinger(0); // an open string
    EXPECT_EQ(SCScaleLibrary::markerTitle(note, 0), "0");
}
