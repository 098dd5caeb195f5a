#include "foundation/Bundle.h"
#include "scales/SCScaleSearch.h"

#include <gtest/gtest.h>
#include <set>

using fretkit::Bundle;
using fretkit::PlistValue;
using fretkit::SCNote;
using fretkit::SCScaleSearch;

TEST(ScaleResources, ScaleTypesAreWellFormedAndGroupedAsTheScreenExpects) {
    const std::optional<PlistValue> types = Bundle::main().propertyList("SCScales");
    ASSERT_TRUE(types.has_value());
    ASSERT_EQ(types->count(), 11u + 7u + 67u + 21u);
    const std::set<std::string> flags = {"useDoubleFlat3", "useSharp2",      "useFlat4",
                                         "useSharp3",      "useSharp4",      "useDoubleFlat6",
                                         "useSharp5",      "useDoubleFlat7", "useSharp6"};
    std::set<std::string> names;
    for (const PlistValue& type : types->arrayItems()) {
        const std::string name = type["name"].stringValue();
        EXPECT_TRUE(names.insert(name).second) << "duplicate " << name;
        const auto& intervals = type["intervals"].arrayItems();
        ASSERT_GE(intervals.size(), 3u) << name;
        EXPECT_EQ(intervals.front().intValue(), 0) << name;
        for (std::size_t i = 1; i < intervals.size(); ++i) {
            EXPECT_LT(intervals[i - 1].intValue(), intervals[i].intValue()) << name;
            EXPECT_LT(intervals[i].intValue(), 12) << name;
        }
        for (const std::string& key : type["alterations"].keys()) {
            EXPECT_TRUE(flags.count(key)) << name << " " << key;
        }
    }
    EXPECT_EQ((*types)[0]["name"].stringValue(), "Major");
    EXPECT_EQ((*types)[11]["name"].stringValue(), "Ionian");
    EXPECT_EQ((*types)[17]["name"].stringValue(), "Locrian");
    EXPECT_TRUE((*types)[14]["alterations"]["useSharp4"].boolValue()); // Lydian
}

TEST(ScaleResources, RootsDefaultToERowFiveAndEveryTypeIsPlayableInStandardTuning) {
    const std::optional<PlistValue> notes = Bundle::main().propertyList("SCNotes");
    ASSERT_TRUE(notes.has_value());
    const PlistValue& row5 = (*notes)[5];
    EXPECT_EQ(SCNote(unsigned(row5["letter"].intValue()), row5["accidentals"].intValue()).name(),
              "E");
    const std::optional<PlistValue> types = Bundle::main().propertyList("SCScales");
    ASSERT_TRUE(types.has_value());
    const PlistValue standard = PlistValue::array(
        {PlistValue::dictionary({{"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}})});
    std::vector<std::string> unplayable;
    for (unsigned type = 0; type < types->count(); ++type) {
        if (SCScaleSearch::scalesForRoot(SCNote(2, 0), type, *types, standard, {}).empty()) {
            unplayable.push_back((*types)[type]["name"].stringValue());
        }
    }
    EXPECT_EQ(unplayable, std::vector<std::string>{});
}
