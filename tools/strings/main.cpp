// Generates the string samples of the bundle and the chord finder's remove sound:
//   fretkit_strings TUNINGS BUNDLE_DIRECTORY DETUNE_LOW DETUNE_HIGH FRET_LOW FRET_HIGH
// writes "SS_NN.aif" (string index, MIDI note; 16-bit mono, 44.1 kHz, two seconds) for every sample
// the tunings, detunes and frets reach, and "CF_remove.wav". Prints how many files it wrote, their
// size and how long it took; fails when the tunings cannot be read or a file cannot be written.
// Samples of an earlier run that no tuning reaches any more are removed.

#include "SampleSet.h"
#include "StringSampleSynth.h"
#include "foundation/PlistFile.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <set>
#include <sndfile.h>
#include <thread>
#include <vector>

using namespace fretkit;

namespace {

bool writeSound(const std::string& path, const std::vector<std::int16_t>& samples, double rate,
                int format) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(rate);
    info.channels = 1;
    info.format = format | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    const auto count = static_cast<sf_count_t>(samples.size());
    const bool written = sf_write_short(file, samples.data(), count) == count;
    return sf_close(file) == 0 && written;
}

bool parseInt(const char* text, int& value) {
    const char* end = text + std::char_traits<char>::length(text);
    const auto [rest, status] = std::from_chars(text, end, value);
    return status == std::errc() && rest == end;
}

// Removes the samples of an earlier run that the tunings no longer reach.
void removeStale(const std::set<SampleSet::Sample>& samples, const std::string& directory) {
    std::set<std::string> wanted;
    for (const SampleSet::Sample& s : samples) {
        wanted.insert(s.resourceName() + ".aif");
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(directory, ec)) {
        const std::string name = entry.path().filename().string();
        const bool sample = name.size() == 9 && name[2] == '_' && name.ends_with(".aif");
        if (sample && !wanted.contains(name)) {
            std::filesystem::remove(entry.path(), ec);
        }
    }
}

// Renders and writes every sample on all cores; answers the paths that could not be written.
std::vector<std::string> writeAll(const std::vector<SampleSet::Sample>& samples,
                                  const std::string& directory) {
    std::atomic<std::size_t> next{0};
    std::mutex failedLock;
    std::vector<std::string> failed;
    auto work = [&] {
        for (std::size_t i = next++; i < samples.size(); i = next++) {
            const SampleSet::Sample& s = samples[i];
            const std::string path = directory + "/" + s.resourceName() + ".aif";
            if (!writeSound(path, StringSampleSynth::render(s.string, s.note),
                            StringSampleSynth::kSampleRate, SF_FORMAT_AIFF)) {
                const std::lock_guard<std::mutex> hold(failedLock);
                failed.push_back(path);
            }
        }
    };
    std::vector<std::thread> threads(std::max(1u, std::thread::hardware_concurrency()) - 1);
    for (std::thread& thread : threads) {
        thread = std::thread(work);
    }
    work();
    for (std::thread& thread : threads) {
        thread.join();
    }
    return failed;
}

} // namespace

int main(int argc, char** argv) {
    SampleSet::Range detunes{};
    SampleSet::Range frets{};
    if (argc != 7 || !parseInt(argv[3], detunes.first) || !parseInt(argv[4], detunes.last) ||
        !parseInt(argv[5], frets.first) || !parseInt(argv[6], frets.last)) {
        std::fprintf(stderr, "usage: fretkit_strings TUNINGS BUNDLE_DIRECTORY DETUNE_LOW "
                             "DETUNE_HIGH FRET_LOW FRET_HIGH\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    const std::optional<PlistValue> tunings = PlistFile::read(argv[1], &error);
    const auto set = tunings ? SampleSet::build(*tunings, detunes, frets, error) : std::nullopt;
    if (!set) {
        std::fprintf(stderr, "fretkit_strings: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const std::string directory = argv[2];
    if (std::error_code ec; !std::filesystem::is_directory(directory, ec)) {
        std::fprintf(stderr, "fretkit_strings: %s is no directory\n", directory.c_str());
        return 1;
    }
    removeStale(*set, directory);
    std::vector<std::string> failed = writeAll({set->begin(), set->end()}, directory);
    const std::string remove = directory + "/CF_remove.wav";
    if (!writeSound(remove, StringSampleSynth::removeSound(), StringSampleSynth::kRemoveRate,
                    SF_FORMAT_WAV)) {
        failed.push_back(remove);
    }
    for (const std::string& path : failed) {
        std::fprintf(stderr, "fretkit_strings: cannot write %s\n", path.c_str());
    }
    if (!failed.empty()) {
        return 1;
    }
    std::uintmax_t bytes = 0;
    for (const SampleSet::Sample& s : *set) {
        bytes += std::filesystem::file_size(directory + "/" + s.resourceName() + ".aif");
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("fretkit_strings: %zu string samples, %.1f MB, in %.2f s\n", set->size(),
                static_cast<double>(bytes) / 1e6, took.count());
    return 0;
}
