#pragma once

#include "AudioDevice.h"
#include "BufferedFileReader.h"
#include "BufferedFileWriter.h"
#include "DeviceThread.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace fretkit::host {

// A device made of files: the microphone reads a sound file (converted to the device rate), the
// output goes to a 16-bit WAV file or nowhere. Paced like a sound card on a real-time thread, or
// as fast as the graph renders on a thread of normal priority. Either way the files are read
// and written by threads of their own through rings, never by the thread that runs the cycles:
// in real time a reader or writer that falls behind costs an underrun or overrun (counted), as
// fast as possible the cycles wait for them. When the input file ends, or the output has its
// wanted length, the device stops by itself (status 0); when the disk refuses the output it
// stops with an error, and the file keeps what was written, as a valid WAV file.
class FileAudioDevice final : public AudioDevice {
public:
    // The status of a file that cannot be opened or written.
    static constexpr OSStatus kIOError = -36;

    struct Options {
        std::string inputFile;  // empty: no microphone
        std::string outputFile; // empty: the output is dropped
        bool realTime = true;
        double sampleRate = 44100.0;
        std::uint32_t outputChannels = 2;
        std::uint32_t bufferFrames = 512;
        std::uint64_t outputFrames = 0; // stop after writing this many frames (0: no limit)
    };

    // Null with a message when the input cannot be read.
    static std::unique_ptr<FileAudioDevice> create(const Options& options, std::string* error);
    ~FileAudioDevice() override;

    std::string driverName() const override { return "file"; }
    AudioDeviceInfo info() const override;
    void setPreferredSampleRate(double rate) override;
    void setPreferredBufferFrames(std::uint32_t frames) override;
    OSStatus start(AudioDeviceClient& client) override;
    void stop() override;
    bool isRunning() const override { return running_.load(); }

    // Frames handed to the output so far in this run.
    std::uint64_t framesPlayed() const { return framesPlayed_.load(); }
    // The first failure to open or write the output file, if any.
    std::string lastError() const;

private:
    explicit FileAudioDevice(const Options& options);
    void run(AudioDeviceClient& client, DeviceThread& thread);
    bool openFiles(std::string* error);

    bool pullInput(std::uint32_t& frames);
    std::uint32_t ringFrames() const;

    Options options_;
    std::uint32_t inputChannels_ = 0;
    mutable std::mutex mutex_;
    std::atomic<bool> running_{false};
    std::atomic<std::uint64_t> framesPlayed_{0};
    std::string lastError_;
    std::unique_ptr<BufferedFileReader> reader_;
    std::unique_ptr<BufferedFileWriter> writer_;
    std::vector<float> input_;
    std::vector<float> output_;
    DeviceThread thread_; // last: stopped before the files and buffers go
};

} // namespace fretkit::host
