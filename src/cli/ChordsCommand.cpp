#include "ChordsCommand.h"

#include "ChordChoice.h"
#include "CliJson.h"
#include "CliOptions.h"
#include "FretDiagram.h"
#include "chords/CHDatabase.h"
#include "chords/CHVariantFamily.h"

#include <algorithm>
#include <cctype>
#include <ostream>

using fretkit::CHChord;
using fretkit::CHDatabase;
using fretkit::CHVariantFamily;

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

std::string fingerLabel(unsigned finger) {
    return finger == 0 ? "T" : std::to_string(finger);
}

std::string label(const CHChord& chord, unsigned s, bool intervals) {
    return intervals ? chord.intervalNameForString(s) : chord.noteNameForString(s);
}

std::string diagram(const CHChord& chord, bool intervals) {
    FretDiagram grid;
    std::array<std::string, FretDiagram::kStrings> header;
    for (unsigned s = 0; s < FretDiagram::kStrings; ++s) {
        header[s] = chord.mutedString(s) ? "" : label(chord, s, intervals);
        if (chord.mutedString(s)) {
            grid.setMuted(s);
        } else if (chord.openString(s)) {
            grid.setOpen(s, "o");
        } else {
            grid.mark(s, chord.fretForString(s), fingerLabel(chord.fingerForString(s)));
        }
    }
    grid.setHeader(header);
    const unsigned first = std::max(chord.baseFret(), 1u);
    grid.setFrets(first, first + 3);
    return grid.render();
}

std::string json(const ChordChoice& choice, const std::vector<CHChord>& chords) {
    std::string text = "{\"root\": " + CliJson::quote(CHDatabase::noteNames().at(choice.root)) +
                       ", \"variant\": " + std::to_string(choice.variant) +
                       ", \"name\": " + CliJson::quote(choice.name()) +
                       ", \"symbol\": " + CliJson::quote(choice.symbol()) + ", \"shapes\": [";
    for (std::size_t i = 0; i < chords.size(); ++i) {
        const CHChord& chord = chords[i];
        text += std::string(i ? ", " : "") + "{\"baseFret\": " + std::to_string(chord.baseFret()) +
                ", \"strings\": [";
        for (unsigned s = 0; s < FretDiagram::kStrings; ++s) {
            text += std::string(s ? ", " : "") + "{\"string\": " + std::to_string(s);
            if (chord.mutedString(s)) {
                text += ", \"state\": \"muted\"}";
                continue;
            }
            if (chord.openString(s)) {
                text += ", \"state\": \"open\", \"fret\": 0";
            } else {
                text += ", \"state\": \"fretted\", \"fret\": " +
                        std::to_string(chord.fretForString(s)) +
                        ", \"finger\": " + std::to_string(chord.fingerForString(s));
            }
            text += ", \"note\": " + CliJson::quote(chord.noteNameForString(s)) +
                    ", \"interval\": " + CliJson::quote(chord.intervalNameForString(s)) + "}";
        }
        const unsigned rootString = chord.stringIndexOfRoot();
        text +=
            "], \"rootString\": " +
            (rootString == CHChord::kNotFound ? std::string("null") : std::to_string(rootString)) +
            "}";
    }
    return text + "]}\n";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CliOptions options(args, {"--intervals", "--json"}, {});
    std::string error = options.error();
    int status = kUsage;
    std::optional<ChordChoice> choice;
    if (error.empty()) {
        choice = ChordChoice::parse(options.positionals(), error, status);
    }
    if (!choice) {
        err << "fretkit chords: " << error << '\n';
        return status;
    }
    CHDatabase database;
    if (!database.isOpen()) {
        err << "fretkit chords: the chord database cannot be read\n";
        return kFailure;
    }
    const std::vector<CHChord> chords = choice->shapes(database);
    if (options.flag("--json")) {
        out << json(*choice, chords);
        return kSuccess;
    }
    const std::string name = choice->name() + " (" + choice->symbol() + ")";
    if (chords.empty()) {
        out << name << ": no shapes"
            << (choice->bass ? " over " + CHDatabase::noteNames().at(*choice->bass) : "")
            << " in the chord database\n";
    }
    for (std::size_t i = 0; i < chords.size(); ++i) {
        out << (i ? "\n" : "") << name << ", shape " << i + 1 << " of " << chords.size() << '\n'
            << diagram(chords[i], options.flag("--intervals"));
    }
    return kSuccess;
}

} // namespace

std::optional<unsigned> ChordsCommand::parseRoot(const std::string& text) {
    std::string spelled = text;
    if (!spelled.empty()) {
        spelled[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(spelled[0])));
    }
    const auto& names = CHDatabase::noteNames();
    const auto found = std::find(names.begin(), names.end(), spelled);
    if (found == names.end()) {
        return std::nullopt;
    }
    return static_cast<unsigned>(found - names.begin());
}

std::optional<unsigned> ChordsCommand::parseVariant(const std::vector<std::string>& words,
                                                    std::string& error) {
    if (words.size() == 1) {
        if (const auto index = CliOptions::parseInteger(words[0])) {
            if (*index >= 0 && CHVariantFamily::familyOfVariant(static_cast<unsigned>(*index))) {
                return static_cast<unsigned>(*index);
            }
            error = "no variant " + words[0] + "; variants are 0-68 but 8, 10, 13, 19 and 62";
            return std::nullopt;
        }
    }
    const std::string familyName = CliOptions::lowercase(words[0]);
    const auto& families = CHVariantFamily::all();
    const auto family = std::find_if(families.begin(), families.end(), [&](const auto& f) {
        return CliOptions::lowercase(f.shortName) == familyName ||
               CliOptions::lowercase(f.fullName) == familyName;
    });
    if (family == families.end() || words.size() < 2) {
        error = "give a variant index or a family (Maj, Min, Dom, Dim) and a name";
        return std::nullopt;
    }
    std::string name = words[1];
    for (std::size_t i = 2; i < words.size(); ++i) {
        name += " " + words[i];
    }
    for (unsigned variant : family->variants) {
        if (CliOptions::lowercase(CHDatabase::variantNames().at(variant).value_or("")) ==
            CliOptions::lowercase(name)) {
            return variant;
        }
    }
    error = "no variant '" + name + "' in " + family->shortName + "; it has:";
    for (unsigned variant : family->variants) {
        error += " \"" + CHDatabase::variantNames().at(variant).value_or("") + "\"";
    }
    return std::nullopt;
}

CliCommand ChordsCommand::command() {
    return {"chords", "(SYMBOL | ROOT FAMILY NAME | ROOT INDEX) [--intervals] [--json]",
            "Shows the shapes of a chord from the chord database, named by its symbol (Cmaj7, "
            "F#m7b5, C/E) or as 'E Maj triad' or 'A Dom \"7 #9\"', with fingers and the notes "
            "(or --intervals) of the strings.",
            run};
}
