// libFuzzer entry point for the audio-file readers: every input is decoded as a metronome click
// and read as a sound file (WAV, AIFF and whatever else the reader recognises) in a client
// format that the first byte chooses. Reading must end without crashing, leaking or reading past
// what it was given, and deliver no more frames than asked for.
#include "host/ExtendedAudioFile.h"
#include "metronome/MTClickFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

using namespace fretkit::host;

namespace {

constexpr std::uint32_t kChunkFrames = 256;
constexpr std::uint32_t kMostFrames = 16384; // a bound on the work one input may cause

AudioStreamBasicDescription clientFormat(std::uint8_t config, double fileRate) {
    const std::uint32_t channels = 1 + config % 3;
    const bool floats = (config & 4) != 0;
    const bool interleaved = (config & 8) != 0;
    AudioStreamBasicDescription f{};
    // Converting the rate costs the most: only some inputs ask for it, at the session's rate as
    // the application does, whatever rate the file claims.
    f.mSampleRate = (config & 16) != 0 ? 44100.0 : fileRate;
    f.mFormatID = kAudioFormatLinearPCM;
    f.mFormatFlags = (floats ? kAudioFormatFlagIsFloat : kAudioFormatFlagIsSignedInteger) |
                     kAudioFormatFlagIsPacked |
                     (interleaved ? 0 : kAudioFormatFlagIsNonInterleaved);
    f.mBitsPerChannel = floats ? 32 : 16;
    f.mChannelsPerFrame = channels;
    f.mFramesPerPacket = 1;
    f.mBytesPerFrame = f.mBitsPerChannel / 8 * (interleaved ? channels : 1);
    f.mBytesPerPacket = f.mBytesPerFrame;
    return f;
}

void readSoundFile(const std::string& path, std::uint8_t config) {
    std::unique_ptr<ExtendedAudioFile> file;
    if (ExtendedAudioFile::open(path, file) != noErr) {
        return;
    }
    file->setConverterQuality((config & 32) != 0 ? 127 : 0);
    const AudioStreamBasicDescription format =
        clientFormat(config, file->fileDataFormat().mSampleRate);
    if (file->setClientDataFormat(format) != noErr) {
        return;
    }
    const std::uint32_t buffers = (format.mFormatFlags & kAudioFormatFlagIsNonInterleaved) != 0
                                      ? format.mChannelsPerFrame
                                      : 1;
    const std::uint32_t bytes = format.mBytesPerFrame * kChunkFrames;
    std::vector<std::vector<std::uint8_t>> blocks(buffers, std::vector<std::uint8_t>(bytes));
    std::vector<std::uint64_t> storage((audioBufferListSize(buffers) + 7) / 8);
    auto* list = reinterpret_cast<AudioBufferList*>(storage.data());
    list->mNumberBuffers = buffers;
    for (std::uint32_t total = 0; total < kMostFrames;) {
        for (std::uint32_t b = 0; b < buffers; ++b) {
            audioBufferAt(*list, b) = {format.mChannelsPerFrame / buffers, bytes, blocks[b].data()};
        }
        std::uint32_t frames = kChunkFrames;
        if (file->read(frames, *list) != noErr || frames == 0) {
            break;
        }
        if (frames > kChunkFrames) {
            std::abort(); // more than there was room for
        }
        total += frames;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (MTClickFormat::decode(bytes).size() != size / 2) {
        std::abort();
    }
    if (size == 0) {
        return 0;
    }
    // The file is read by path, as the application reads its resources: an in-memory file.
    const int fd = memfd_create("audio-file-fuzz", 0);
    if (fd < 0) {
        return 0;
    }
    const std::string_view file = bytes.substr(1);
    if (write(fd, file.data(), file.size()) == static_cast<ssize_t>(file.size())) {
        readSoundFile("/proc/self/fd/" + std::to_string(fd), data[0]);
    }
    close(fd);
    return 0;
}
