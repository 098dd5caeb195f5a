#include "ScalesCommand.h"

#include "CliJson.h"
#include "CliOptions.h"
#include "FretDiagram.h"
#include "TuningOption.h"
#include "foundation/Bundle.h"
#include "foundation/QVMIDINoteFormatter.h"
#include "scales/SCScaleSearch.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ostream>

using fretkit::Bundle;
using fretkit::PlistValue;
using fretkit::QVMIDINoteFormatter;
using fretkit::SCNote;
using fretkit::SCScale;
using fretkit::SCScaleNote;
using fretkit::SCScaleSearch;
using fretkit::SCScaleSearchSettings;

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

enum class Labels { Fingers, Notes, Intervals };

std::optional<unsigned> findType(const PlistValue& types, const std::string& wanted) {
    if (const auto index = CliOptions::parseInteger(wanted)) {
        if (*index >= 0 && static_cast<std::size_t>(*index) < types.count()) {
            return static_cast<unsigned>(*index);
        }
        return std::nullopt;
    }
    for (std::size_t i = 0; i < types.count(); ++i) {
        if (CliOptions::lowercase(types[i]["name"].stringValue()) ==
            CliOptions::lowercase(wanted)) {
            return static_cast<unsigned>(i);
        }
    }
    return std::nullopt;
}

std::string noteLabel(const SCScaleNote& note, Labels labels) {
    switch (labels) {
    case Labels::Notes:
        return note.name();
    case Labels::Intervals:
        return note.intervalName();
    default:
        return note.fret() == 0 ? "o" : std::to_string(note.finger());
    }
}

std::string diagram(const SCScale& scale, const std::array<int, 6>& open, Labels labels) {
    FretDiagram grid;
    std::array<std::string, FretDiagram::kStrings> header;
    for (unsigned s = 0; s < FretDiagram::kStrings; ++s) {
        header[s] = QVMIDINoteFormatter::pitchClassName(static_cast<unsigned>(open[s] % 12 + 12));
    }
    grid.setHeader(header);
    unsigned highest = 0;
    for (const SCScaleNote& note : scale.notes()) {
        if (note.fret() == 0) {
            grid.setOpen(note.string(), noteLabel(note, labels));
        } else {
            grid.mark(note.string(), note.fret(), noteLabel(note, labels));
        }
        highest = std::max(highest, note.fret());
    }
    const unsigned lowest = std::max(scale.lowestFret(), 1u);
    grid.setFrets(lowest, std::max(highest, lowest + 3));
    return grid.render();
}

std::string json(const std::string& title, const std::string& tuning, int detune,
                 const std::vector<SCScale>& scales) {
    std::string text = "{\"scale\": " + CliJson::quote(title) +
                       ", \"tuning\": " + CliJson::quote(tuning) +
                       ", \"detune\": " + std::to_string(detune) + ", \"patterns\": [";
    for (std::size_t i = 0; i < scales.size(); ++i) {
        text += std::string(i ? ", " : "") +
                "{\"lowestFret\": " + std::to_string(scales[i].lowestFret()) + ", \"notes\": [";
        const auto& notes = scales[i].notes();
        for (std::size_t n = 0; n < notes.size(); ++n) {
            text += std::string(n ? ", " : "") +
                    "{\"string\": " + std::to_string(notes[n].string()) +
                    ", \"fret\": " + std::to_string(notes[n].fret()) +
                    ", \"finger\": " + std::to_string(notes[n].finger()) +
                    ", \"note\": " + CliJson::quote(notes[n].name()) +
                    ", \"interval\": " + CliJson::quote(notes[n].intervalName()) +
                    ", \"midi\": " + std::to_string(notes[n].MIDINote()) + "}";
        }
        text += "]}";
    }
    return text + "]}\n";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CliOptions options(args, {"--stretched", "--json", "--notes", "--intervals"},
                             {"--tuning", "--detune"});
    std::string error = options.error();
    const auto& positionals = options.positionals();
    if (error.empty() && positionals.size() < 2) {
        error = "give a root and a scale type, e.g. A \"Minor Pentatonic\"";
    }
    if (error.empty() && options.flag("--notes") && options.flag("--intervals")) {
        error = "choose --notes or --intervals, not both";
    }
    std::optional<SCNote> root;
    if (error.empty() && !(root = ScalesCommand::parseRoot(positionals[0]))) {
        error = "unknown root '" + positionals[0] + "'; write it like E, Bb or F#";
    }
    std::optional<TuningOption::Choice> choice;
    if (error.empty()) {
        choice = TuningOption::fromOptions(options, error);
    }
    if (!choice) {
        err << "fretkit scales: " << error << '\n';
        return kUsage;
    }
    const std::optional<PlistValue> types = Bundle::main().propertyList("SCScales");
    if (!types) {
        err << "fretkit scales: the scale types (SCScales.plist) are missing from "
            << Bundle::main().resourcePath() << '\n';
        return kFailure;
    }
    const std::string typeName = options.joinedPositionals(1);
    const std::optional<unsigned> type = findType(*types, typeName);
    if (!type) {
        err << "fretkit scales: no scale type '" << typeName << "'; give its name or an index 0-"
            << types->count() - 1 << '\n';
        return kUsage;
    }
    SCScaleSearchSettings settings;
    settings.tuning = choice->tuning.index;
    settings.detune = choice->detune;
    settings.allowStretched = options.flag("--stretched");
    const std::vector<SCScale> scales =
        SCScaleSearch::scalesForRoot(*root, *type, *types, choice->tunings, settings);
    const std::string title = root->name() + " " + (*types)[*type]["name"].stringValue();
    if (options.flag("--json")) {
        out << json(title, choice->tuning.name, choice->detune, scales);
        return kSuccess;
    }
    const Labels labels = options.flag("--notes")       ? Labels::Notes
                          : options.flag("--intervals") ? Labels::Intervals
                                                        : Labels::Fingers;
    std::array<int, 6> open{};
    for (unsigned s = 0; s < 6; ++s) {
        open[s] = choice->tuning.notes[5 - s] + choice->detune;
    }
    out << title << " in " << choice->tuning.name << " tuning: ";
    if (scales.empty()) {
        out << "no playable patterns\n";
    } else {
        out << scales.size() << (scales.size() == 1 ? " pattern\n" : " patterns\n");
    }
    for (std::size_t i = 0; i < scales.size(); ++i) {
        out << "\nPattern " << i + 1 << " of " << scales.size() << '\n'
            << diagram(scales[i], open, labels);
    }
    return kSuccess;
}

} // namespace

std::optional<SCNote> ScalesCommand::parseRoot(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const char* letter =
        std::strchr(SCNote::kLetterNames, std::toupper(static_cast<unsigned char>(text[0])));
    if (letter == nullptr || *letter == '\0') {
        return std::nullopt;
    }
    const std::string marks = text.substr(1);
    const bool sharps = marks.find_first_not_of('#') == std::string::npos;
    const bool flats = marks.find_first_not_of('b') == std::string::npos;
    if ((!sharps && !flats) || marks.size() > 2) {
        return std::nullopt;
    }
    const auto count = static_cast<std::int32_t>(marks.size());
    return SCNote(static_cast<unsigned>(letter - SCNote::kLetterNames), sharps ? count : -count);
}

std::optional<unsigned> ScalesCommand::parseType(const PlistValue& types,
                                                 const std::string& wanted) {
    return findType(types, wanted);
}

CliCommand ScalesCommand::command() {
    return {"scales",
            "ROOT TYPE [--tuning NAME|INDEX] [--detune N] [--stretched] [--notes|--intervals] "
            "[--json]",
            "Lists every playable one-position pattern of a scale (by name or index) with its "
            "fingers, or its notes or intervals.",
            run};
}
