#include "PlayChordCommand.h"

#include "ChordChoice.h"
#include "CliOptions.h"
#include "StringRun.h"
#include "audio/QVSampleDecoder.h"
#include "chords/CHChordPlayer.h"
#include "chords/CHDatabase.h"
#include "foundation/Bundle.h"

#include <ostream>

using fretkit::CHChord;
using fretkit::CHChordPlayer;
using fretkit::CHDatabase;

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;
constexpr double kDefaultStrumGap = 0.03; // seconds between two strings of a strum

struct Pluck {
    unsigned string;
    double time;
};

// The plucks of a strum over the shape's sounding strings: "down" from the thickest string,
// "up" from the thinnest, or a number of seconds between strings for a downward strum.
std::optional<std::vector<Pluck>> strum(const CHChord& chord, const std::string& how,
                                        std::string& error) {
    double gap = kDefaultStrumGap;
    bool up = false;
    if (how == "up") {
        up = true;
    } else if (how != "down") {
        try {
            std::size_t used = 0;
            gap = std::stod(how, &used);
            if (used != how.size() || !(gap >= 0.0 && gap <= 1.0)) {
                throw std::invalid_argument(how);
            }
        } catch (const std::exception&) {
            error =
                "--strum takes down, up or the seconds between strings (0 to 1), not '" + how + "'";
            return std::nullopt;
        }
    }
    std::vector<Pluck> plucks;
    for (unsigned i = 0; i < CHChord::kStrings; ++i) {
        const unsigned s = up ? CHChord::kStrings - 1 - i : i;
        if (!chord.mutedString(s)) {
            plucks.push_back({s, gap * static_cast<double>(plucks.size())});
        }
    }
    return plucks;
}

std::optional<CHChord> chooseShape(CHDatabase& database, const CliOptions& options,
                                   std::string& error, int& status) {
    const auto choice = ChordChoice::parse(options.positionals(), error, status);
    if (!choice) {
        return std::nullopt;
    }
    status = kUsage;
    const auto chords = choice->shapes(database);
    if (chords.empty()) {
        error = "the chord database has no shape of " + choice->symbol();
        return std::nullopt;
    }
    const auto shape = options.integer("--shape", 1, 1, static_cast<int>(chords.size()), error);
    if (!shape) {
        error = "--shape takes a number from 1 to " + std::to_string(chords.size());
        return std::nullopt;
    }
    return chords[static_cast<std::size_t>(*shape - 1)];
}

int playChord(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    auto run = StringRun::parse(args, "play-chord", err);
    if (!run) {
        return kUsage;
    }
    const CliOptions options(run->rest, {}, {"--shape", "--strum"});
    std::string error = options.error();
    int status = kUsage;
    std::optional<CHChord> chord;
    std::optional<std::vector<Pluck>> plucks;
    CHDatabase database;
    if (!database.isOpen()) {
        err << "fretkit play-chord: the chord database cannot be read\n";
        return kFailure;
    }
    if (error.empty()) {
        chord = chooseShape(database, options, error, status);
    }
    if (chord) {
        plucks = strum(*chord, options.value("--strum").value_or("down"), error);
    }
    if (!plucks) {
        err << "fretkit play-chord: " << error << '\n';
        return chord ? kUsage : status;
    }
    if (!run->activate(err)) {
        return kFailure;
    }
    StringRun::Job job;
    job.renderLock = std::make_shared<QVRenderLock>();
    CHChordPlayer player(job.renderLock, fretkit::Bundle::main(), run->sampleRate());
    player.setChord(*chord);
    player.waitUntilLoaded();
    for (const std::string& problem : player.problems()) {
        err << "fretkit play-chord: warning: " << problem << "; that string stays silent\n";
    }
    std::size_t next = 0;
    const double end =
        plucks->empty() ? 0.0 : plucks->back().time + QVSampleDecoder::kStringSampleSeconds;
    double now = 0.0;
    job.delegate = &player.player();
    job.advance = [&](double seconds) {
        now = seconds;
        for (; next < plucks->size() && (*plucks)[next].time <= seconds; ++next) {
            player.pluckString((*plucks)[next].string);
        }
    };
    job.finished = [&] { return next == plucks->size() && now >= end; };
    job.maximumSeconds = end + 1.0;
    return run->run(job, out, err);
}

} // namespace

CliCommand PlayChordCommand::command() {
    return {"play-chord",
            "(SYMBOL | ROOT FAMILY NAME | ROOT INDEX) [--shape N] [--strum down|up|SECONDS] "
            "[-o FILE.wav] " +
                std::string(AudioOptions::kSynopsis),
            "Strums a chord shape with the string samples, into a WAV file or live.", playChord};
}
