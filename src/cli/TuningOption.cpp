#include "TuningOption.h"

#include "CliOptions.h"
#include "foundation/Bundle.h"
#include "foundation/PlistFile.h"

using fretkit::Bundle;
using fretkit::PlistFile;
using fretkit::PlistValue;

namespace {

PlistValue standardTuning() {
    return PlistValue::array(
        {PlistValue::dictionary({{"name", "Standard"},
                                 {"spelling", "E A D G B E"},
                                 {"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}})});
}

} // namespace

PlistValue TuningOption::tunings() {
    // Looked up first so that a bundle without the list stays quiet: standard tuning serves.
    if (const auto path = Bundle::main().pathForResource("BZTunings", "plist")) {
        std::optional<PlistValue> list = PlistFile::read(*path);
        if (list && list->isArray() && list->count() > 0) {
            return *list;
        }
    }
    return standardTuning();
}

std::optional<TuningOption::Choice> TuningOption::fromOptions(const CliOptions& options,
                                                              std::string& error) {
    Choice choice;
    const std::optional<int> detune = options.integer("--detune", 0, -24, 24, error);
    if (!detune) {
        return std::nullopt;
    }
    choice.detune = *detune;
    choice.tunings = tunings();
    const auto tuning = resolve(choice.tunings, options.value("--tuning").value_or(""), error);
    if (!tuning) {
        return std::nullopt;
    }
    choice.tuning = *tuning;
    return choice;
}

std::optional<TuningOption::Tuning>
TuningOption::resolve(const PlistValue& tunings, const std::string& wanted, std::string& error) {
    std::optional<std::size_t> index;
    if (wanted.empty()) {
        index = 0;
    } else if (const auto number = CliOptions::parseInteger(wanted)) {
        if (*number >= 0 && static_cast<std::size_t>(*number) < tunings.count()) {
            index = static_cast<std::size_t>(*number);
        }
    } else {
        for (std::size_t i = 0; i < tunings.count() && !index; ++i) {
            if (CliOptions::lowercase(tunings[i]["name"].stringValue()) ==
                CliOptions::lowercase(wanted)) {
                index = i;
            }
        }
    }
    const PlistValue& notes = index ? tunings[*index]["notes"] : PlistValue::array();
    if (!index || notes.count() != 6) {
        error = "no tuning '" + wanted + "'; the tunings are:";
        for (std::size_t i = 0; i < tunings.count(); ++i) {
            error += "\n  " + std::to_string(i) + "  " + tunings[i]["name"].stringValue();
        }
        return std::nullopt;
    }
    Tuning tuning;
    tuning.index = static_cast<int>(*index);
    tuning.name = tunings[*index]["name"].stringValue();
    for (std::size_t i = 0; i < 6; ++i) {
        tuning.notes[i] = notes[i].intValue();
    }
    return tuning;
}
