#include "VirtualAudioDevice.h"

#include "HostTime.h"
#include "RealtimeThread.h"

#include <algorithm>
#include <chrono>

VirtualAudioDevice::VirtualAudioDevice(double sampleRate, std::uint32_t inputChannels,
                                       std::uint32_t outputChannels, std::uint32_t bufferFrames) {
    info_.name = "Virtual";
    info_.route = inputChannels > 0 ? "SpeakerAndMicrophone" : "Speaker";
    info_.sampleRate = sampleRate;
    info_.inputChannels = inputChannels;
    info_.outputChannels = outputChannels;
    info_.bufferFrames = bufferFrames;
    info_.outputLatency = bufferFrames / sampleRate;
}

VirtualAudioDevice::~VirtualAudioDevice() {
    stop();
}

AudioDeviceInfo VirtualAudioDevice::info() const {
    std::lock_guard lock(mutex_);
    return info_;
}

void VirtualAudioDevice::setPreferredSampleRate(double rate) {
    std::lock_guard lock(mutex_);
    if (rate > 0.0) {
        info_.sampleRate = rate;
    }
}

void VirtualAudioDevice::setPreferredBufferFrames(std::uint32_t frames) {
    std::lock_guard lock(mutex_);
    info_.bufferFrames = std::clamp(frames, 16u, 8192u);
}

OSStatus VirtualAudioDevice::start(AudioDeviceClient& client) {
    stop();
    std::lock_guard lock(mutex_);
    input_.assign(std::size_t{info_.bufferFrames} * info_.inputChannels, 0.0f);
    output_.assign(std::size_t{info_.bufferFrames} * info_.outputChannels, 0.0f);
    stopRequested_ = false;
    running_.store(true);
    thread_ = std::thread([this, &client] { run(client); });
    return noErr;
}

void VirtualAudioDevice::stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    running_.store(false);
}

void VirtualAudioDevice::run(AudioDeviceClient& client) {
    makeCurrentThreadRealtime();
    AudioDeviceCycle cycle;
    {
        std::lock_guard lock(mutex_);
        cycle.frames = info_.bufferFrames;
        cycle.inputChannels = info_.inputChannels;
        cycle.outputChannels = info_.outputChannels;
    }
    cycle.input = cycle.inputChannels > 0 ? input_.data() : nullptr;
    cycle.output = output_.data();
    cycle.timeStamp.mFlags = kAudioTimeStampSampleTimeValid | kAudioTimeStampHostTimeValid;
    const double rate = info().sampleRate;
    const auto period = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(cycle.frames / rate));
    auto deadline = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    while (!stopRequested_) {
        lock.unlock();
        cycle.timeStamp.mHostTime = hostAbsoluteTime();
        client.deviceCycle(cycle);
        cycle.timeStamp.mSampleTime += cycle.frames;
        deadline += period;
        lock.lock();
        // Sleeps until the next buffer is due; stop() wakes it at once.
        wake_.wait_until(lock, deadline, [this] { return stopRequested_; });
    }
}
