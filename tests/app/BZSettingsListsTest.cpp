#include "BZHomeTableViewCell.h"
#include "BZMainController.h"
#include "BZSettingValue.h"
#include "BZToolDefaults.h"
#include "BZTuningChoices.h"
#include "ShellTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "kit/QVEditor.h"
#include "kit/QVTableViewCell.h"
#include "metronome/MTSettings.h"
#include "metronome/MTTimeSignature.h"

#include <QMetaMethod>
#include <algorithm>
#include <gtest/gtest.h>

using fretkit::Bundle;
using fretkit::PlistValue;

namespace {

const char* const kTools[] = {"TN", "MT", "CH", "SC", "CF"};

std::vector<PlistValue> rowsOf(const PlistValue& sections) {
    std::vector<PlistValue> rows;
    for (const PlistValue& section : sections.arrayItems()) {
        for (const PlistValue& row : section["contents"].arrayItems()) {
            rows.push_back(row);
        }
    }
    return rows;
}

PlistValue settingsList(const std::string& tool) {
    return Bundle::main().propertyList(tool + "Settings").value_or(PlistValue());
}

PlistValue rowWithKey(const std::string& key) {
    for (const PlistValue& row : rowsOf(settingsList(key.substr(0, 2)))) {
        if (row["key"].stringValue() == key) {
            return row;
        }
    }
    return {};
}

std::vector<PlistValue> valuesOf(const std::string& key) {
    std::vector<PlistValue> values;
    const PlistValue row = rowWithKey(key);
    for (const PlistValue& choice : row["values"].arrayItems()) {
        values.push_back(choice["value"]);
    }
    return values;
}

} // namespace

TEST(BZSettingsLists, EveryRowNamesExistingClassesAndAKeyWithARegisteredDefault) {
    shellApplication();
    fretkit::UserDefaults defaults(shellTestSettings().file("fresh.plist"));
    BZToolDefaults::registerAll(defaults);
    const QMetaObject& tool = BZMainController::staticMetaObject;
    for (const std::string prefix : kTools) {
        const PlistValue sections = settingsList(prefix);
        ASSERT_TRUE(sections.isArray()) << prefix;
        const std::vector<PlistValue> rows = rowsOf(sections);
        EXPECT_GE(rows.size(), 2u) << prefix;
        for (const PlistValue& row : rows) {
            const std::string key = row["key"].stringValue();
            SCOPED_TRACE(key);
            EXPECT_EQ(key.substr(0, 3), prefix + "_");
            const QString cellClass = QString::fromStdString(row["class"].stringValue());
            std::unique_ptr<QVTableViewCell> cell(QVTableViewCell::create(cellClass));
            EXPECT_NE(cell, nullptr) << cellClass.toStdString();
            const PlistValue stored = defaults.objectForKey(key);
            EXPECT_FALSE(stored.isNull());
            if (const PlistValue* editor = row.find("editorClass")) {
                EXPECT_NE(QVEditor::create(QString::fromStdString(editor->stringValue())), nullptr);
                // A row's default is one of its own choices, so the editor marks it.
                if (row.contains("values")) {
                    EXPECT_NE(BZSettingValue::choiceFor(stored, row["values"]), nullptr);
                }
            }
            if (const PlistValue* action = row.find("action")) {
                std::string slot = action->stringValue();
                slot.pop_back();
                EXPECT_GE(tool.indexOfMethod((slot + "(QVTableViewCell*)").c_str()), 0) << slot;
            }
        }
    }
}

TEST(BZSettingsLists, DetuneIsExactlySixSemitonesEachWayAndTheReferenceSpans430To450) {
    shellApplication();
    std::vector<PlistValue> semitones;
    for (int n = -6; n <= 6; ++n) {
        semitones.emplace_back(n);
    }
    for (const char* key : {"TN_detune", "SC_detune", "CF_detune"}) {
        EXPECT_EQ(valuesOf(key), semitones) << key;
    }
    const std::vector<PlistValue> reference = valuesOf("TN_reference");
    ASSERT_EQ(reference.size(), 21u);
    EXPECT_EQ(reference.front(), PlistValue(430.0));
    EXPECT_EQ(reference.back(), PlistValue(450.0));
}

TEST(BZSettingsLists, TimeSignaturesAccentOnlyBeatsOfTheirBarAndClicksExist) {
    shellApplication();
    const std::vector<PlistValue> signatures = valuesOf("MT_timeSignature");
    EXPECT_GE(signatures.size(), 6u);
    for (const PlistValue& value : signatures) {
        const MTTimeSignature signature(static_cast<std::uint32_t>(value.integerValue()));
        if (signature.encoded() == 0) {
            continue;
        }
        ASSERT_TRUE(signature.hasBars()) << signature.encoded();
        for (int group = 1; group < 8; ++group) {
            EXPECT_LT((signature.encoded() >> (4 * group)) & 15u, signature.beatsPerBar())
                << signature.encoded();
        }
    }
    const std::vector<std::string> clicks = MTSettings::clickNames(Bundle::main());
    const std::vector<PlistValue> sounds = valuesOf("MT_soundName");
    EXPECT_EQ(sounds.size(), clicks.size());
    for (const PlistValue& sound : sounds) {
        EXPECT_NE(std::find(clicks.begin(), clicks.end(), sound.stringValue()), clicks.end())
            << sound.stringValue();
    }
}

TEST(BZSettingsLists, TuningChoicesNameEveryTuningByIndex) {
    shellApplication();
    const PlistValue tunings = Bundle::main().propertyList("BZTunings").value_or(PlistValue());
    const PlistValue fretboards = BZTuningChoices::forFretboards();
    ASSERT_EQ(fretboards.count(), tunings.count());
    EXPECT_EQ(fretboards[3]["text"], tunings[3]["name"]);
    EXPECT_EQ(fretboards[3]["detailText"], tunings[3]["spelling"]);
    EXPECT_EQ(fretboards[3]["value"], PlistValue(3));
    const PlistValue tuner = BZTuningChoices::forTuner();
    ASSERT_EQ(tuner.count(), tunings.count() + 1);
    EXPECT_EQ(tuner[0]["text"], PlistValue("Chromatic"));
    EXPECT_FALSE(tuner[0].contains("detailText"));
    EXPECT_EQ(tuner[1]["text"], tunings[0]["name"]);
}

TEST(BZSettingsLists, SettingValuesMatchAcrossNumberTypes) {
    EXPECT_TRUE(BZSettingValue::same(PlistValue(442), PlistValue(442.0)));
    EXPECT_TRUE(BZSettingValue::same(PlistValue(1), PlistValue(true)));
    EXPECT_FALSE(BZSettingValue::same(PlistValue(2), PlistValue(false)));
    EXPECT_FALSE(BZSettingValue::same(PlistValue("442"), PlistValue(442)));
    const PlistValue choices =
        PlistValue::array({PlistValue::dictionary({{"value", 1}, {"text", "a"}}),
                           PlistValue::dictionary({{"value", 1.0}, {"text", "b"}})});
    EXPECT_EQ((*BZSettingValue::choiceFor(PlistValue(1.0f), choices))["text"], PlistValue("b"));
    EXPECT_EQ(BZSettingValue::inTypeOf(PlistValue(7), choices), PlistValue(7));
}

TEST(BZHomeList, NamesEveryToolWithItsHomeCellAndImage) {
    shellApplication();
    BZHomeTableViewCell::registerByName();
    const std::vector<PlistValue> rows =
        rowsOf(Bundle::main().propertyList("BZHome").value_or(PlistValue()));
    ASSERT_EQ(rows.size(), 7u);
    for (const PlistValue& row : rows) {
        EXPECT_EQ(row["class"], PlistValue("BZHomeTableViewCell"));
        std::unique_ptr<QVTableViewCell> cell(QVTableViewCell::create("BZHomeTableViewCell"));
        EXPECT_NE(cell, nullptr);
        std::string image = row["image"].stringValue();
        image = image.substr(0, image.size() - 4);
        EXPECT_TRUE(Bundle::main().pathForResource(image, "png").has_value()) << image;
        EXPECT_TRUE(Bundle::main().pathForResource(image + "@2x", "png").has_value()) << image;
    }
}
