#include "BZTuningChoices.h"

#include "foundation/Bundle.h"
#include "tuner/TNTunings.h"

using fretkit::PlistValue;

PlistValue BZTuningChoices::fromTunings(const PlistValue& tunings) {
    PlistValue choices = PlistValue::array();
    int index = 0;
    for (const PlistValue& tuning : tunings.arrayItems()) {
        PlistValue choice =
            PlistValue::dictionary({{"text", tuning["name"].stringValue()}, {"value", index++}});
        if (const PlistValue* spelling = tuning.find("spelling")) {
            choice.set("detailText", *spelling);
        }
        choices.append(std::move(choice));
    }
    return choices;
}

PlistValue BZTuningChoices::forTuner() {
    const TNTunings tunings = TNTunings::fromBundle(fretkit::Bundle::main());
    PlistValue list = PlistValue::array();
    for (std::size_t i = 0; i < tunings.count(); ++i) {
        list.append(tunings.at(i));
    }
    return fromTunings(list);
}

PlistValue BZTuningChoices::forFretboards() {
    return fromTunings(
        fretkit::Bundle::main().propertyList(TNTunings::kListName).value_or(PlistValue::array()));
}
