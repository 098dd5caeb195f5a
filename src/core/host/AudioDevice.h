#pragma once

#include "AudioTypes.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace fretkit::host {

// What a device offers: its rate, channels and route as the audio session reports them.
struct AudioDeviceInfo {
    std::string name;
    std::string route;
    double sampleRate = 44100.0;
    std::uint32_t inputChannels = 0;
    std::uint32_t outputChannels = 2;
    std::uint32_t bufferFrames = 512;
    double inputLatency = 0.0;
    double outputLatency = 0.0;
    float outputVolume = 1.0f;
};

// The dropouts a device has counted since it was made. An underrun is a cycle that came too
// late, so the output (or the input the application reads) ran dry; an overrun is sound that
// arrived faster than it could be taken and was lost.
struct AudioDeviceXruns {
    std::uint64_t underruns = 0;
    std::uint64_t overruns = 0;
};

// One I/O cycle: interleaved 32-bit float input (null when the device has none) and output.
struct AudioDeviceCycle {
    std::uint32_t frames = 0;
    const float* input = nullptr;
    std::uint32_t inputChannels = 0;
    float* output = nullptr;
    std::uint32_t outputChannels = 0;
    AudioTimeStamp timeStamp{};
};

// Receives a device's cycles on the device's real-time thread.
class AudioDeviceClient {
public:
    virtual ~AudioDeviceClient() = default;
    virtual void deviceCycle(const AudioDeviceCycle& cycle) = 0;
    // The device stopped by itself (disappeared, failed, or its input ran out); called once,
    // from any thread, never from inside deviceCycle.
    virtual void deviceStopped(OSStatus status, const std::string& reason) = 0;
};

// A source and sink of sound under the remote I/O unit: a sound card, a clock without hardware,
// files, or cycles pumped by a caller.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // The driver's name: "portaudio", "virtual", "file" or "offline".
    virtual std::string driverName() const = 0;
    // Whether this is a sound card (or stands for one in tests): a card that cannot start is
    // replaced by the virtual device, so the application runs on without one. Files are the
    // user's and a clock cannot fail, so their devices are never replaced.
    virtual bool standsForHardware() const { return false; }
    virtual AudioDeviceInfo info() const = 0;
    // The rate and buffer size to ask for at the next start; the device may use others, which
    // info() then reports.
    virtual void setPreferredSampleRate(double rate) = 0;
    virtual void setPreferredBufferFrames(std::uint32_t frames) = 0;

    // Starts calling client.deviceCycle; the client outlives the run.
    virtual OSStatus start(AudioDeviceClient& client) = 0;
    // Returns once no cycle runs any more and none will start.
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;

    // Seconds from the moment a cycle's output is rendered to the moment it is heard, as the
    // running device measures it; 0 while not running, and on devices whose output counts as
    // played when it is rendered (files, the virtual clock, pumped cycles). Any thread.
    virtual double renderedOutputLatency() const { return 0.0; }
    // Any thread.
    AudioDeviceXruns xruns() const {
        return {underruns_.load(std::memory_order_relaxed),
                overruns_.load(std::memory_order_relaxed)};
    }

protected:
    // The device's thread; never waits.
    void countUnderrun() { underruns_.fetch_add(1, std::memory_order_relaxed); }
    void countOverrun() { overruns_.fetch_add(1, std::memory_order_relaxed); }

private:
    std::atomic<std::uint64_t> underruns_{0};
    std::atomic<std::uint64_t> overruns_{0};
};

} // namespace fretkit::host
