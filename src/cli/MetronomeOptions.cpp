#include "MetronomeOptions.h"

#include "CliOptions.h"
#include "metronome/MTTempoEditorModel.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace {

std::optional<double> positiveNumber(const std::string& text, double limit) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !(value > 0.0) ||
        value > limit) {
        return std::nullopt;
    }
    return value;
}

bool usage(std::ostream& err, const std::string& message) {
    err << "fretkit metronome: " << message << '\n';
    return false;
}

// The --bars/--beats/--seconds count; false after a message.
bool readCount(const CliOptions& cli, MetronomeOptions& options, std::ostream& err) {
    const char* counts[] = {"--bars", "--beats", "--seconds"};
    int given = 0;
    for (const char* name : counts) {
        const auto text = cli.value(name);
        if (!text) {
            continue;
        }
        if (++given > 1) {
            return usage(err, "give only one of --bars, --beats and --seconds");
        }
        const bool whole = std::string(name) != "--seconds";
        const auto value = positiveNumber(*text, 1e6);
        if (!value || (whole && *value != std::floor(*value))) {
            return usage(err, std::string(name) + " needs a positive " +
                                  (whole ? "whole number" : "number") + " up to 1000000");
        }
        if (std::string(name) == "--seconds") {
            options.seconds = value;
        } else if (std::string(name) == "--bars") {
            if (!options.signature.hasBars()) {
                return usage(err, "--bars needs a --signature with beats per bar");
            }
            options.beats = *value * options.signature.beatsPerBar();
        } else {
            options.beats = value;
        }
    }
    return true;
}

bool readValues(const CliOptions& cli, MetronomeOptions& options, std::ostream& err) {
    std::string error;
    const auto tempo = cli.integer("--tempo", 120, int{MTTempoEditorModel::kMinimumTempo},
                                   int{MTTempoEditorModel::kMaximumTempo}, error);
    if (!tempo) {
        return usage(err, "--tempo needs beats per minute from 40 to 280");
    }
    options.tempo = static_cast<unsigned>(*tempo);
    if (const auto text = cli.value("--signature")) {
        const auto signature = MTTimeSignature::parse(*text, &error);
        if (!signature) {
            return usage(err, "--signature " + *text + ": " + error);
        }
        options.signature = *signature;
    }
    options.sound = cli.value("--sound").value_or(options.sound);
    const auto buffer = cli.integer("--buffer", 512, 1, 8192, error);
    if (!buffer) {
        return usage(err, "--buffer needs a frame count from 1 to 8192");
    }
    options.bufferFrames = static_cast<std::uint32_t>(*buffer);
    return readCount(cli, options, err);
}

} // namespace

std::optional<MetronomeOptions> MetronomeOptions::parse(const std::vector<std::string>& args,
                                                        std::ostream& err) {
    MetronomeOptions options;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "-o") {
            rest.push_back(args[i]);
        } else if (i + 1 < args.size()) {
            options.wavPath = args[++i];
        } else {
            usage(err, "-o needs a file name");
            return std::nullopt;
        }
    }
    auto audio = AudioOptions::parse(rest, err);
    if (!audio) {
        return std::nullopt;
    }
    options.audio = *audio;
    const CliOptions cli(
        audio->rest, {"--tap"},
        {"--tempo", "--signature", "--sound", "--bars", "--beats", "--seconds", "--buffer"});
    if (!cli.error().empty() || !cli.positionals().empty()) {
        usage(err, cli.error().empty() ? "unexpected argument '" + cli.positionals().front() + "'"
                                       : cli.error());
        return std::nullopt;
    }
    options.tap = cli.flag("--tap");
    if (!readValues(cli, options, err)) {
        return std::nullopt;
    }
    if (options.tap && !options.wavPath.empty()) {
        usage(err, "--tap reads taps from the keyboard and cannot be written to a file");
        return std::nullopt;
    }
    return options;
}

std::optional<std::uint64_t> MetronomeOptions::totalFrames(double rate) const {
    if (seconds) {
        return static_cast<std::uint64_t>(std::llround(*seconds * rate));
    }
    if (beats || !wavPath.empty()) {
        const double count = beats.value_or(kDefaultWavBeats);
        return static_cast<std::uint64_t>(std::llround(count * 60.0 / tempo * rate));
    }
    return std::nullopt;
}
