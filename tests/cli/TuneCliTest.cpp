#include "host/AudioFileWriter.h"
#include "support/Signals.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace fretkit::host;

namespace {

struct Reading {
    double time = 0.0;
    double frequency = 0.0;
    double quality = 0.0;
    std::string note;
    double cents = 0.0;
};

std::string cli() {
    return std::string(FRETKIT_CLI) + " ";
}

std::string writePluck(TempDir& dir, const std::string& name, double frequency) {
    signals::Pluck pluck;
    pluck.frequency = frequency;
    pluck.seconds = 1.5;
    pluck.inharmonicity = 1e-5; // a nylon string: the readings stay within a few cents
    const std::vector<float> samples = signals::pluck(pluck, 44100.0);
    const std::string path = dir.file(name);
    auto writer = AudioFileWriter::create(path, 44100.0, 1, nullptr);
    EXPECT_TRUE(writer &&
                writer->write(samples.data(), static_cast<std::uint32_t>(samples.size())) &&
                writer->close());
    return path;
}

// The CSV's readings; fails the test on a malformed line.
std::vector<Reading> parseCsv(const std::string& csv) {
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "time,frequency,quality,note,cents");
    std::vector<Reading> readings;
    while (std::getline(lines, line)) {
        Reading r;
        char note[16] = {};
        const int fields = std::sscanf(line.c_str(), "%lf,%lf,%lf,%15[^,],%lf", &r.time,
                                       &r.frequency, &r.quality, note, &r.cents);
        EXPECT_EQ(fields, 5) << line;
        r.note = note;
        readings.push_back(r);
    }
    return readings;
}

std::vector<Reading> tune(const std::string& arguments, std::string* raw = nullptr) {
    const SubprocessResult result = runCommand(cli() + "tune " + arguments + " 2>/dev/null");
    EXPECT_EQ(result.status, 0) << arguments;
    if (raw != nullptr) {
        *raw = result.output;
    }
    return parseCsv(result.output);
}

} // namespace

TEST(TuneCli, ReadsAPluckedFileAsCsvReproducibly) {
    TempDir dir;
    const std::string a2 = "'" + writePluck(dir, "a2.wav", 110.0) + "'";
    std::string first;
    const std::vector<Reading> readings = tune(a2, &first);
    ASSERT_GT(readings.size(), 40u); // 1.5 s holds 64 passes
    double previous = 0.0;
    for (const Reading& r : readings) {
        EXPECT_EQ(r.note, "A2");
        EXPECT_NEAR(r.cents, 0.0, 3.0);
        EXPECT_GE(r.quality, 0.66);
        // One pass after every 1024 frames: times are whole multiples of 1024 / 44100 s.
        const double passes = r.time * 44100.0 / 1024.0;
        EXPECT_NEAR(passes, std::round(passes), 0.01);
        EXPECT_GT(r.time, previous);
        previous = r.time;
    }
    std::string second;
    tune(a2, &second);
    EXPECT_EQ(first, second);
}

TEST(TuneCli, AppliesReferenceTuningAndDetune) {
    TempDir dir;
    const std::string a2 = "'" + writePluck(dir, "a2.wav", 110.0) + "'";
    for (const Reading& r : tune(a2 + " --reference 442")) {
        EXPECT_EQ(r.note, "A2");
        EXPECT_NEAR(r.cents, -7.9, 3.0);
    }
    // Under standard tuning the A string is the fifth.
    for (const Reading& r : tune(a2 + " --tuning standard")) {
        EXPECT_EQ(r.note, "5");
        EXPECT_NEAR(r.cents, 0.0, 3.0);
    }
    // A drop-D sixth string, tuned a semitone down with everything else.
    const std::string cSharp2 = "'" + writePluck(dir, "cs2.wav", 69.30) + "'";
    const std::vector<Reading> dropped = tune(cSharp2 + " --tuning 'drop d' --detune=-1");
    EXPECT_FALSE(dropped.empty());
    for (const Reading& r : dropped) {
        EXPECT_EQ(r.note, "6");
        EXPECT_NEAR(r.cents, 0.0, 5.0);
    }
}

TEST(TuneCli, RefusesUnreadableFilesWithOneLine) {
    TempDir dir;
    const std::string garbage = dir.write("garbage.wav", "not a sound");
    for (const std::string& file : {garbage, dir.file("missing.wav")}) {
        const SubprocessResult result =
            runCommand(cli() + "tune '" + file + "' 2>'" + dir.file("err") + "'");
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.output, ""); // no header without readings to follow
        const std::string err = TempDir::read(dir.file("err"));
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(err.rfind("fretkit: ", 0), 0u) << err;
    }
    EXPECT_EQ(runCommand(cli() + "tune 2>/dev/null").status, 2);
    const std::string a2 = writePluck(dir, "a2.wav", 110.0);
    EXPECT_EQ(runCommand(cli() + "tune '" + a2 + "' --tuning banjo 2>/dev/null").status, 2);
}

TEST(TuneCli, ListensUntilTheInputEndsOrAnInterrupt) {
    TempDir dir;
    const std::string a2 = writePluck(dir, "a2.wav", 110.0);
    // The file driver stands in for the microphone and ends with its file.
    const SubprocessResult file =
        runCommand(cli() + "tune --mic --audio file --input '" + a2 + "' 2>&1");
    EXPECT_EQ(file.status, 0) << file.output;
    EXPECT_NE(file.output.find("\rA2 "), std::string::npos) << file.output;
    EXPECT_NE(file.output.find("level ["), std::string::npos);
    EXPECT_EQ(file.output.back(), '\n');

    // The silent virtual device shows no note until SIGINT ends the run cleanly.
    const SubprocessResult silent = runCommand("timeout --preserve-status -s INT 3 " + cli() +
                                               "tune --mic --audio virtual 2>&1");
    EXPECT_EQ(silent.status, 0) << silent.output;
    EXPECT_NE(silent.output.find("\r--"), std::string::npos) << silent.output;
    EXPECT_NE(silent.output.find("level [----]"), std::string::npos);

    // Without a sound card the default driver has no microphone.
    const std::string info = runCommand(cli() + "audio-info --audio portaudio 2>/dev/null").output;
    if (info.find("driver = virtual") != std::string::npos) {
        const SubprocessResult none =
            runCommand(cli() + "tune --mic --audio portaudio 2>&1 >/dev/null");
        EXPECT_EQ(none.status, 1);
        EXPECT_NE(none.output.find("no microphone"), std::string::npos) << none.output;
    }
}
