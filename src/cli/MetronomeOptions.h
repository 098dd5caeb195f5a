#pragma once

#include "AudioOptions.h"
#include "metronome/MTTimeSignature.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The options of `fretkit metronome`:
//   --tempo BPM (40-280), --signature SPEC, --sound NAME, one of --bars N | --beats N |
//   --seconds S, -o FILE.wav with --buffer FRAMES, --tap, and the audio device options.
struct MetronomeOptions {
    static constexpr const char* kSynopsis =
        "[--tempo BPM] [--signature N[:A,...]|HEX] [--sound NAME] [--bars N | --beats N | "
        "--seconds S] [-o FILE.wav [--buffer FRAMES]] [--tap]";
    static constexpr std::uint32_t kDefaultWavBeats = 16;

    AudioOptions audio;
    unsigned tempo = 120;
    MTTimeSignature signature;
    std::string sound = "Blip";
    std::optional<double> beats;   // from --bars or --beats
    std::optional<double> seconds; // from --seconds
    std::string wavPath;
    std::uint32_t bufferFrames = 512;
    bool tap = false;

    // Nullopt after a message on err for a bad or missing value.
    static std::optional<MetronomeOptions> parse(const std::vector<std::string>& args,
                                                 std::ostream& err);

    // Frames to play at `rate`: the counted beats or seconds; none means until interrupted,
    // except into a file, which then gets kDefaultWavBeats beats.
    std::optional<std::uint64_t> totalFrames(double rate) const;
};
