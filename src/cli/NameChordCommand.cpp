#include "NameChordCommand.h"

#include "CliOptions.h"
#include "TuningOption.h"
#include "chordfinder/CFChordNamer.h"
#include "foundation/Bundle.h"

#include <iostream>
#include <sstream>
#include <vector>

using fretkit::Bundle;
using fretkit::CFChordNamer;
using fretkit::PlistValue;

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;
constexpr unsigned kMaxFret = 24;

std::vector<std::string> tokensOf(const std::string& text) {
    std::string spaced = text;
    for (char& c : spaced) {
        c = (c == ',' || c == '\t') ? ' ' : c;
    }
    std::vector<std::string> tokens;
    std::istringstream in(spaced);
    for (std::string token; in >> token;) {
        tokens.push_back(token);
    }
    // One compact token of six characters is one character per string.
    if (tokens.size() == 1 && tokens[0].size() == 6) {
        const std::string compact = tokens[0];
        tokens.clear();
        for (char c : compact) {
            tokens.emplace_back(1, c);
        }
    }
    return tokens;
}

std::string answer(const CFChordNamer& namer, const NameChordCommand::Fingering& fingering,
                   const std::array<int, 6>& tuning, int detune) {
    const CFChordNamer::Result result =
        namer.nameChord(fingering.frets, fingering.mutes, tuning, detune);
    switch (result.kind) {
    case CFChordNamer::Kind::OpenNeck:
        return Bundle::main().localizedString(CFChordNamer::kOpenKey, "");
    case CFChordNamer::Kind::Chord:
        return result.name;
    default:
        return Bundle::main().localizedString(CFChordNamer::kNoChordKey, "");
    }
}

int runBatch(const CFChordNamer& namer, const std::array<int, 6>& tuning, int detune,
             std::istream& in, std::ostream& out) {
    int status = kSuccess;
    for (std::string line; std::getline(in, line);) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            out << '\n';
            continue;
        }
        std::string error;
        if (const auto fingering = NameChordCommand::parseFrets(line, error)) {
            out << answer(namer, *fingering, tuning, detune) << '\n';
        } else {
            out << "error: " << error << '\n';
            status = kUsage;
        }
    }
    return status;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CliOptions options(args, {"--batch"}, {"--tuning", "--detune"});
    std::string error = options.error();
    const bool batch = options.flag("--batch");
    if (error.empty() && batch == !options.positionals().empty()) {
        error = batch ? "--batch reads the fingerings from stdin; give no FRETS"
                      : "give the fingering, e.g. x32010";
    }
    std::optional<TuningOption::Choice> tuning;
    if (error.empty()) {
        tuning = TuningOption::fromOptions(options, error);
    }
    if (!tuning) {
        err << "fretkit name-chord: " << error << '\n';
        return kUsage;
    }
    const std::optional<PlistValue> descriptions = Bundle::main().propertyList("CFChords");
    if (!descriptions) {
        err << "fretkit name-chord: the chord descriptions (CFChords.plist) are missing from "
            << Bundle::main().resourcePath() << '\n';
        return kFailure;
    }
    const CFChordNamer namer(*descriptions);
    if (batch) {
        return runBatch(namer, tuning->tuning.notes, tuning->detune, std::cin, out);
    }
    const auto fingering = NameChordCommand::parseFrets(options.joinedPositionals(0), error);
    if (!fingering) {
        err << "fretkit name-chord: " << error << '\n';
        return kUsage;
    }
    out << answer(namer, *fingering, tuning->tuning.notes, tuning->detune) << '\n';
    return kSuccess;
}

} // namespace

std::optional<NameChordCommand::Fingering> NameChordCommand::parseFrets(const std::string& text,
                                                                        std::string& error) {
    const std::vector<std::string> tokens = tokensOf(text);
    if (tokens.size() != 6) {
        error = "'" + text + "' does not give six strings (" + std::to_string(tokens.size()) +
                " found); write x32010 or \"x 3 2 0 1 0\"";
        return std::nullopt;
    }
    Fingering fingering;
    for (unsigned s = 0; s < 6; ++s) {
        const std::string& token = tokens[s];
        if (token == "x" || token == "X") {
            fingering.mutes[s] = true;
            continue;
        }
        const std::optional<long long> fret = CliOptions::parseInteger(token);
        if (!fret || token[0] == '+' || *fret < 0 || *fret > kMaxFret) {
            error = "bad fret '" + token + "' for string " + std::to_string(s + 1) +
                    " (thickest first): use 0-" + std::to_string(kMaxFret) + " or x";
            return std::nullopt;
        }
        fingering.frets[s] = static_cast<unsigned>(*fret);
    }
    return fingering;
}

CliCommand NameChordCommand::command() {
    return {"name-chord", "FRETS [--tuning NAME|INDEX] [--detune N] | --batch [options]",
            "Names the chord of a fingering, thickest string first (x32010, or \"8 x 10 9 8 x\" "
            "for frets above 9); --batch names one fingering per line of stdin.",
            run};
}
