#pragma once

#include "AudioDevice.h"

#include <atomic>
#include <vector>

namespace fretkit::host {

// A device without a thread: each pump() runs exactly one cycle on the caller's thread. Tests
// and batch tools drive the whole graph with it, buffer by buffer.
class OfflineAudioDevice final : public AudioDevice {
public:
    static constexpr std::uint32_t kMaximumPumpFrames = 8192;

    explicit OfflineAudioDevice(double sampleRate = 44100.0, std::uint32_t inputChannels = 1,
                                std::uint32_t outputChannels = 2);

    std::string driverName() const override { return "offline"; }
    bool standsForHardware() const override { return true; }
    AudioDeviceInfo info() const override { return info_; }
    void setPreferredSampleRate(double rate) override { info_.sampleRate = rate; }
    void setPreferredBufferFrames(std::uint32_t frames) override { info_.bufferFrames = frames; }
    void setRoute(const std::string& route) { info_.route = route; }
    OSStatus start(AudioDeviceClient& client) override;
    void stop() override;
    bool isRunning() const override { return client_.load() != nullptr; }

    // One cycle of frames (at most kMaximumPumpFrames): input interleaved at the device's input
    // channels (null: silence), output interleaved at its output channels (null: discarded).
    // False when the device is not running or the frames are too many.
    bool pump(std::uint32_t frames, const float* input = nullptr, float* output = nullptr);

    // Simulates the device going away while running: the client hears about it once.
    void fail(OSStatus status, const std::string& reason);
    // Simulates dropouts, counted as a sound card's would be.
    using AudioDevice::countOverrun;
    using AudioDevice::countUnderrun;

private:
    AudioDeviceInfo info_;
    std::atomic<AudioDeviceClient*> client_{nullptr};
    std::vector<float> silence_;
    std::vector<float> discard_;
    double sampleTime_ = 0.0;
};

} // namespace fretkit::host
