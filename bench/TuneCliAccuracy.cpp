// How well `fretkit tune` reads plucked strings across the whole neck: the same set of plucks as
// tuner_accuracy, each written to a 16-bit WAV file and read by the fretkit binary through the
// file driver, the audio stream and the tuner engine. The CSV's note and cents columns are
// compared with the pitch that was played. Prints the share of readings that name the wrong note
// and the median and 95th-percentile cents error.
#include "host/AudioFileWriter.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"
#include "support/TunerAccuracy.h"

#include <cstdlib>
#include <sstream>

using namespace fretkit::host;

namespace {

// MIDI note of a name such as "E2" or "C#5"; -1 when it is none.
int midiOf(const std::string& name) {
    static const char* const names[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                        "F#", "G",  "G#", "A",  "A#", "B"};
    const std::size_t split = name.find_first_of("-0123456789");
    for (int pitch = 0; pitch < 12; ++pitch) {
        if (split != std::string::npos && name.compare(0, split, names[pitch]) == 0) {
            return pitch + 12 * (std::atoi(name.c_str() + split) + 1);
        }
    }
    return -1;
}

void measureThroughCli(const accuracy::Case& c, accuracy::Summary& summary, const TempDir& dir) {
    const auto samples = signals::pluck(accuracy::pluckFor(c, 1.5), 44100.0);
    const std::string path = dir.file("pluck.wav");
    auto writer = AudioFileWriter::create(path, 44100.0, 1, nullptr);
    if (!writer || !writer->write(samples.data(), static_cast<std::uint32_t>(samples.size())) ||
        !writer->close()) {
        std::printf("%s could not be written\n", path.c_str());
        return;
    }
    const SubprocessResult run =
        runCommand(std::string(FRETKIT_CLI) + " tune '" + path + "' 2>/dev/null");
    std::istringstream lines(run.output);
    std::string line;
    std::getline(lines, line); // the header
    const double played = c.midiNote + c.centsOff / 100.0;
    while (std::getline(lines, line)) {
        double time = 0, frequency = 0, quality = 0, cents = 0;
        char note[16] = {};
        if (std::sscanf(line.c_str(), "%lf,%lf,%lf,%15[^,],%lf", &time, &frequency, &quality, note,
                        &cents) != 5) {
            continue;
        }
        ++summary.accepted;
        const int midi = midiOf(note);
        if (midi != c.midiNote) {
            ++summary.wrongNote;
            continue;
        }
        summary.centsErrors.push_back(std::fabs(midi + cents / 100.0 - played) * 100.0);
    }
    summary.passes += samples.size() / 1024;
    ++summary.plucks;
}

} // namespace

int main() {
    TempDir dir;
    accuracy::print(accuracy::measureNeck(
        [&](const accuracy::Case& c, accuracy::Summary& one) { measureThroughCli(c, one, dir); }));
    return 0;
}
