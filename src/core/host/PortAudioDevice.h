#pragma once

#include "AudioDevice.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace fretkit::host {

// The sound card, through PortAudio: one duplex stream of interleaved floats, so the
// microphone's block arrives in the same callback as the output it is mixed into. Asks for the
// preferred rate (44100 Hz) and uses the device's own when it refuses.
class PortAudioDevice final : public AudioDevice {
public:
    // Null when PortAudio finds no output device (a machine without a sound card).
    static std::unique_ptr<PortAudioDevice> create(std::string* error);
    ~PortAudioDevice() override;

    // The devices PortAudio sees, one line each ("name (host API): 2 in, 2 out, 44100 Hz").
    static std::vector<std::string> deviceDescriptions();

    std::string driverName() const override { return "portaudio"; }
    bool standsForHardware() const override { return true; }
    AudioDeviceInfo info() const override { return info_; }
    void setPreferredSampleRate(double rate) override;
    void setPreferredBufferFrames(std::uint32_t frames) override;
    OSStatus start(AudioDeviceClient& client) override;
    void stop() override;
    bool isRunning() const override { return stream_ != nullptr; }
    // The output latency PortAudio reports for the open stream.
    double renderedOutputLatency() const override { return streamOutputLatency_.load(); }

    // Called by the stream: one cycle on PortAudio's audio thread, with the dropouts PortAudio
    // reported for it, and the stream's end.
    void runCycle(const void* input, void* output, unsigned long frames, bool underrun,
                  bool overrun);
    void streamFinished();

private:
    PortAudioDevice() = default;
    void chooseRate(double wanted);

    AudioDeviceInfo info_;
    int inputDevice_ = -1;
    int outputDevice_ = -1;
    void* stream_ = nullptr; // PaStream*
    AudioDeviceClient* client_ = nullptr;
    std::atomic<bool> stopping_{false};
    std::atomic<double> streamOutputLatency_{0.0};
    double sampleTime_ = 0.0;
};

} // namespace fretkit::host
