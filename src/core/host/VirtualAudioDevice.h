#pragma once

#include "AudioDevice.h"
#include "DeviceThread.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace fretkit::host {

// A device without hardware: a thread that runs one cycle per buffer duration, on the clock,
// with silent input, and drops the output. The application runs normally on a machine without
// a sound card.
class VirtualAudioDevice final : public AudioDevice {
public:
    explicit VirtualAudioDevice(double sampleRate = 44100.0, std::uint32_t inputChannels = 1,
                                std::uint32_t outputChannels = 2, std::uint32_t bufferFrames = 512);
    ~VirtualAudioDevice() override;

    std::string driverName() const override { return "virtual"; }
    AudioDeviceInfo info() const override;
    void setPreferredSampleRate(double rate) override;
    void setPreferredBufferFrames(std::uint32_t frames) override;
    OSStatus start(AudioDeviceClient& client) override;
    void stop() override;
    bool isRunning() const override { return running_.load(); }

private:
    void run(AudioDeviceClient& client, const AudioDeviceInfo& info, DeviceThread& thread);

    mutable std::mutex mutex_;
    AudioDeviceInfo info_;
    std::atomic<bool> running_{false};
    std::vector<float> input_;
    std::vector<float> output_;
    DeviceThread thread_; // last: stopped before the buffers go
};

} // namespace fretkit::host
