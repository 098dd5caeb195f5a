// Writes the metronome's click sounds (raw 16-bit little-endian mono, "<name>.click") and the
// pickers' tocks (16-bit CAF) into the bundle directory given as the only argument.
#include "ClickSynth.h"

#include <cstdio>
#include <fstream>
#include <sndfile.h>
#include <string>

namespace {

bool writeRaw(const std::string& path, const std::vector<std::int16_t>& samples) {
    std::string bytes;
    for (const std::int16_t s : samples) {
        const auto u = static_cast<std::uint16_t>(s);
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

bool writeCaf(const std::string& path, const std::vector<std::int16_t>& samples) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(ClickSynth::kRate);
    info.channels = 1;
    info.format = SF_FORMAT_CAF | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    const auto count = static_cast<sf_count_t>(samples.size());
    const bool written = sf_write_short(file, samples.data(), count) == count;
    return sf_close(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s BUNDLE_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    for (const ClickSynth::Recipe& recipe : ClickSynth::clicks()) {
        if (!writeRaw(dir + "/" + recipe.name + ".click", ClickSynth::render(recipe))) {
            std::fprintf(stderr, "cannot write the click %s into %s\n", recipe.name.c_str(),
                         dir.c_str());
            return 1;
        }
    }
    const auto tock = ClickSynth::render(ClickSynth::tock());
    for (const char* name : {"MTTempoEditorTitlePicker_tock", "QVHorizontalPickerView_tock"}) {
        if (!writeCaf(dir + "/" + name + ".caf", tock)) {
            std::fprintf(stderr, "cannot write %s.caf into %s\n", name, dir.c_str());
            return 1;
        }
    }
    return 0;
}
