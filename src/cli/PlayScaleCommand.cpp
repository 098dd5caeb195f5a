#include "PlayScaleCommand.h"

#include "CliOptions.h"
#include "ScalesCommand.h"
#include "StringRun.h"
#include "TuningOption.h"
#include "foundation/Bundle.h"
#include "foundation/ManualTimerScheduler.h"
#include "scales/SCScalePlayer.h"
#include "scales/SCScaleSearch.h"

#include <ostream>

using fretkit::Bundle;
using fretkit::ManualTimerScheduler;
using fretkit::PlistValue;
using fretkit::SCScale;
using fretkit::SCScalePlayer;
using fretkit::SCScaleSearch;
using fretkit::SCScaleSearchSettings;

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

// 1 upward, -1 downward, doubled for there and back; nullopt with `error` for a clash.
std::optional<int> direction(const CliOptions& options, std::string& error) {
    if (options.flag("--up") && options.flag("--down")) {
        error = "choose --up or --down, not both";
        return std::nullopt;
    }
    const int way = options.flag("--down") ? -1 : 1;
    return options.flag("--there-and-back") ? 2 * way : way;
}

std::optional<double> speed(const CliOptions& options, std::string& error) {
    const std::string text = options.value("--speed").value_or("0.5");
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size() && value >= 0.0 && value <= 1.0) {
            return value;
        }
    } catch (const std::exception&) {
    }
    error =
        "--speed takes a number from 0 (a note a second) to 1 (four a second), not '" + text + "'";
    return std::nullopt;
}

// The pattern the arguments choose; nullopt with `error` (and `failure` for a broken bundle).
std::optional<SCScale> choosePattern(const CliOptions& options, std::string& error, bool& failure) {
    const auto& positionals = options.positionals();
    if (positionals.size() < 2) {
        error = "give a root and a scale type, e.g. A \"Minor Pentatonic\"";
        return std::nullopt;
    }
    const auto root = ScalesCommand::parseRoot(positionals[0]);
    if (!root) {
        error = "unknown root '" + positionals[0] + "'; write it like E, Bb or F#";
        return std::nullopt;
    }
    const auto choice = TuningOption::fromOptions(options, error);
    if (!choice) {
        return std::nullopt;
    }
    const std::optional<PlistValue> types = Bundle::main().propertyList("SCScales");
    if (!types) {
        error =
            "the scale types (SCScales.plist) are missing from " + Bundle::main().resourcePath();
        failure = true;
        return std::nullopt;
    }
    const std::string typeName = options.joinedPositionals(1);
    const auto type = ScalesCommand::parseType(*types, typeName);
    if (!type) {
        error = "no scale type '" + typeName + "'";
        return std::nullopt;
    }
    SCScaleSearchSettings settings;
    settings.tuning = choice->tuning.index;
    settings.detune = choice->detune;
    settings.allowStretched = options.flag("--stretched");
    const auto scales =
        SCScaleSearch::scalesForRoot(*root, *type, *types, choice->tunings, settings);
    if (scales.empty()) {
        error = "no playable pattern of this scale in " + choice->tuning.name + " tuning";
        return std::nullopt;
    }
    const auto pattern = options.integer("--pattern", 1, 1, static_cast<int>(scales.size()), error);
    if (!pattern) {
        error = "--pattern takes a number from 1 to " + std::to_string(scales.size());
        return std::nullopt;
    }
    return scales[static_cast<std::size_t>(*pattern - 1)];
}

int playScale(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    auto run = StringRun::parse(args, "play-scale", err);
    if (!run) {
        return kUsage;
    }
    const CliOptions options(run->rest,
                             {"--up", "--down", "--there-and-back", "--all-notes", "--stretched"},
                             {"--pattern", "--tuning", "--detune", "--speed"});
    std::string error = options.error();
    bool failure = false;
    std::optional<int> way;
    std::optional<double> pace;
    std::optional<SCScale> scale;
    if (error.empty() && (way = direction(options, error)) && (pace = speed(options, error))) {
        scale = choosePattern(options, error, failure);
    }
    if (!scale) {
        err << "fretkit play-scale: " << error << '\n';
        return failure ? kFailure : kUsage;
    }
    if (!run->activate(err)) {
        return kFailure;
    }
    ManualTimerScheduler timers;
    StringRun::Job job;
    job.renderLock = std::make_shared<QVRenderLock>();
    SCScalePlayer player(job.renderLock, Bundle::main(), run->sampleRate(), timers);
    player.setScale(*scale);
    player.waitUntilLoaded();
    for (const std::string& problem : player.problems()) {
        err << "fretkit play-scale: warning: " << problem << "; that note stays silent\n";
    }
    bool started = false;
    job.delegate = &player.player();
    job.advance = [&](double seconds) {
        if (!started) {
            player.strum(*way, options.flag("--all-notes"), *pace);
            started = true;
        }
        timers.advanceTo(seconds);
    };
    job.finished = [&] { return started && player.isIdle(); };
    // Every note twice, a step each, and the last note's two seconds.
    job.maximumSeconds = static_cast<double>(scale->notes().size()) * 2.0 *
                             fretkit::SCAutoPlayback::intervalForSpeed(*pace) +
                         5.0;
    return run->run(job, out, err);
}

} // namespace

CliCommand PlayScaleCommand::command() {
    return {"play-scale",
            "ROOT TYPE [--pattern N] [--tuning NAME|INDEX] [--detune N] [--stretched] "
            "[--up|--down] [--there-and-back] [--all-notes] [--speed 0..1] [-o FILE.wav] " +
                std::string(AudioOptions::kSynopsis),
            "Strums a scale pattern note by note with the string samples, into a WAV file or "
            "live.",
            playScale};
}
