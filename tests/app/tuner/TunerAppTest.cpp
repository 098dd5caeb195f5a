#include "foundation/UserDefaults.h"
#include "host/AudioFileWriter.h"
#include "support/Signals.h"
#include "support/TempDir.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace fretkit::host;

namespace {

constexpr double kRate = 44100.0;
constexpr double kLeadIn = 3.0;  // seconds of silence while the app comes to the tuner
constexpr double kRinging = 3.0; // each pluck; a busy machine's needle takes a while
constexpr double kSilence = 1.5; // after each pluck
constexpr int kRounds = 2;
// Readings are held to the note from when the attack has died away (the lowest string reads a
// few tenths sharp before) to while the string is still loud (later its partials fade into the
// background noise and the readings wander).
constexpr double kSteadyFrom = 0.5;
constexpr double kSteadyTo = 1.5;

struct Pluck {
    int note;
    double cents;
    double onset = 0.0; // seconds into the recording
};

// A2 in tune, E2 three cents sharp, D3 twenty cents flat, again and again.
std::vector<Pluck> plucks() {
    const Pluck round[] = {{45, 0.0}, {40, 3.0}, {50, -20.0}};
    std::vector<Pluck> all;
    double at = kLeadIn;
    for (int r = 0; r < kRounds; ++r) {
        for (Pluck p : round) {
            p.onset = at;
            all.push_back(p);
            at += kRinging + kSilence;
        }
    }
    return all;
}

std::string writeRecording(const TempDir& dir) {
    const std::vector<Pluck> all = plucks();
    const double seconds = all.back().onset + kRinging + kSilence;
    std::vector<float> samples(static_cast<std::size_t>(seconds * kRate), 0.0f);
    for (std::size_t i = 0; i < all.size(); ++i) {
        signals::Pluck p;
        p.frequency = 440.0 * std::exp2((all[i].note + all[i].cents / 100.0 - 69.0) / 12.0);
        p.seconds = kRinging;
        p.inharmonicity = 1e-5; // a nylon string
        p.seed = static_cast<unsigned>(i + 1);
        const std::vector<float> sound = signals::pluck(p, kRate);
        std::copy(sound.begin(), sound.end(),
                  samples.begin() + static_cast<long>(all[i].onset * kRate));
    }
    const std::string path = dir.file("plucks.wav");
    auto writer = AudioFileWriter::create(path, kRate, 1, nullptr);
    EXPECT_TRUE(writer &&
                writer->write(samples.data(), static_cast<std::uint32_t>(samples.size())) &&
                writer->close());
    return path;
}

// One line of the screen's trace: what it showed when a note (or none) arrived.
struct Shown {
    double t = 0.0; // seconds of the recording heard by then
    std::map<std::string, std::string> fields;
    const std::string& operator[](const std::string& key) const { return fields.at(key); }
    double number(const std::string& key) const { return std::stod(fields.at(key)); }
};

// What the screen showed, and from when on it listened.
struct Trace {
    double listening = -1.0;
    std::vector<Shown> lines;
};

Trace readTrace(const std::string& path) {
    Trace trace;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        std::string word;
        words >> kind;
        Shown shown;
        while (words >> word) {
            const auto equals = word.find('=');
            shown.fields[word.substr(0, equals)] = word.substr(equals + 1);
        }
        shown.t = shown.number("t");
        if (kind == "listening") {
            trace.listening = shown.t;
        } else {
            trace.lines.push_back(shown);
        }
    }
    return trace;
}

bool hasPictureEndingIn(const std::string& folder, const std::string& ending) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > ending.size() && name.ends_with(ending)) {
            return true;
        }
    }
    return false;
}

// The app's tour over the recording, with the tuning stored at `tuning`, until the tuner has
// shown its last state; the app is then stopped. Answers what the screen showed.
Trace runTuner(const std::string& recording, int tuning) {
    TempDir dir;
    fretkit::UserDefaults defaults(dir.file("defaults.plist"));
    defaults.setInteger(tuning, "TN_tuning");
    EXPECT_TRUE(defaults.synchronize());
    const std::string folder = dir.file("tour");
    const std::string command =
        "exec env -u DISPLAY -u WAYLAND_DISPLAY -u FRETKIT_AUDIO -u FRETKIT_AUDIO_INPUT "
        "QT_QPA_PLATFORM=offscreen FRETKIT_DEFAULTS=" +
        dir.file("defaults.plist") + " FRETKIT_TUNER_TRACE=" + dir.file("trace.txt") + " " +
        FRETKIT_APP + " --tour " + folder + " --input " + recording + " >" + dir.file("log.txt") +
        " 2>&1";
    const pid_t app = fork();
    if (app == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    EXPECT_GT(app, 0);
    // The recording lasts 30 s; the tuner's states come within its first round or two.
    bool done = false;
    int status = 0;
    for (int waited = 0; waited < 600 && !done; ++waited) {
        done = hasPictureEndingIn(folder, "-tuner-empty.png");
        if (!done && waitpid(app, &status, WNOHANG) == app) {
            ADD_FAILURE() << "the app ended early: " << TempDir::read(dir.file("log.txt"));
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(app, SIGTERM);
    waitpid(app, &status, 0);
    EXPECT_TRUE(done) << TempDir::read(dir.file("log.txt"));
    for (const char* state :
         {"-tuner.png", "-tuner-strobe-in-tune.png", "-tuner-needle-flat.png"}) {
        EXPECT_TRUE(hasPictureEndingIn(folder, state)) << state;
    }
    return readTrace(dir.file("trace.txt"));
}

// The lines shown from `from` to `to` seconds after the pluck's onset.
std::vector<Shown> during(const Trace& trace, const Pluck& pluck, double from, double to) {
    std::vector<Shown> shown;
    for (const Shown& line : trace.lines) {
        if (line.t >= pluck.onset + from && line.t <= pluck.onset + to) {
            shown.push_back(line);
        }
    }
    return shown;
}

// Seconds from each pluck's onset to the first note shown, for the plucks heard from the start.
std::vector<double> latencies(const Trace& trace) {
    std::vector<double> found;
    for (const Pluck& pluck : plucks()) {
        if (trace.listening < 0.0 || pluck.onset < trace.listening) {
            continue;
        }
        const auto first =
            std::find_if(trace.lines.begin(), trace.lines.end(), [&](const Shown& line) {
                return line.t >= pluck.onset && line["note"] != "--";
            });
        if (first != trace.lines.end() && first->t < pluck.onset + kRinging) {
            found.push_back(first->t - pluck.onset);
        }
    }
    return found;
}

} // namespace

TEST(TunerApp, ReadsPluckedStringsFromARecordingOnScreen) {
    TempDir dir;
    const std::string recording = writeRecording(dir);
    std::vector<double> delays;

    // Chromatic: an A2 in tune reads A2 at +0.0 c on a green strobe; the needle settles.
    const Trace chromatic = runTuner(recording, 0);
    ASSERT_FALSE(chromatic.lines.empty());
    std::size_t greenReadings = 0;
    std::size_t settledNeedles = 0;
    for (const Pluck& pluck : plucks()) {
        // The strobe is left soon after it turns green.
        for (const Shown& line : during(chromatic, pluck, 0.2, kSteadyTo)) {
            if (pluck.note == 45 && line["display"] == "strobe") {
                EXPECT_EQ(line["ring"], "green") << line.t;
                EXPECT_EQ(line["letter"], "TNStrobe_A");
                ++greenReadings;
            }
        }
        for (const Shown& line : during(chromatic, pluck, kSteadyFrom, kSteadyTo)) {
            if (pluck.note == 45) {
                EXPECT_EQ(line["note"], "A2") << line.t;
                EXPECT_NEAR(line.number("cents"), 0.0, 0.5) << line.t;
            }
        }
        // The needle moves on a timer of its own, slower on a busy machine; it reaches its
        // target while the string rings.
        const std::vector<Shown> ringing = during(chromatic, pluck, 0.5, kRinging);
        settledNeedles += std::any_of(ringing.begin(), ringing.end(), [](const Shown& line) {
            return line["display"] == "needle" && line["note"] != "--" &&
                   std::fabs(line.number("deflection") - line.number("target")) < 1.0;
        });
    }
    EXPECT_GE(greenReadings, 3u);
    EXPECT_GT(settledNeedles, 0u);
    const std::vector<double> first = latencies(chromatic);
    delays.insert(delays.end(), first.begin(), first.end());

    // Standard tuning: an E2 three cents sharp reads string 6, E2 and +3.0 c.
    const Trace standard = runTuner(recording, 1);
    ASSERT_FALSE(standard.lines.empty());
    std::size_t sixthString = 0;
    for (const Pluck& pluck : plucks()) {
        if (pluck.note != 40) {
            continue;
        }
        for (const Shown& line : during(standard, pluck, kSteadyFrom, kSteadyTo)) {
            EXPECT_TRUE(line["letter"].ends_with("_6")) << line["letter"];
            EXPECT_EQ(line["note"], "E2") << line.t;
            EXPECT_NEAR(line.number("cents"), 3.0, 0.5) << line.t;
            ++sixthString;
        }
    }
    EXPECT_GT(sixthString, 5u);
    const std::vector<double> second = latencies(standard);
    delays.insert(delays.end(), second.begin(), second.end());

    ASSERT_FALSE(delays.empty());
    std::sort(delays.begin(), delays.end());
    std::printf("latency from a pluck's onset to the first note on screen: median %.0f ms over "
                "%zu plucks (%.0f to %.0f ms)\n",
                1000.0 * delays[delays.size() / 2], delays.size(), 1000.0 * delays.front(),
                1000.0 * delays.back());
}
