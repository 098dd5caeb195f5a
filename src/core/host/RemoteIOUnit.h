#pragma once

#include "AudioDevice.h"
#include "AudioUnit.h"
#include "Realtime.h"

#include <atomic>
#include <functional>

namespace fretkit::host {

// The device input/output unit. Output bus 0 plays what its input bus 0 is fed; output bus 1
// carries the microphone. Input is off until enabled (enable I/O, input scope, element 1).
// Started, it runs one render of bus 0 per device cycle, with the cycle's input at hand, so
// the microphone is pulled within the output cycle. A sound card that cannot start (it went
// away, or is busy) is replaced by the virtual device, so that the application runs on.
class RemoteIOUnit final : public AudioUnit, private AudioDeviceClient {
public:
    // Told, once, that the device stopped by itself; runs on whatever thread noticed.
    using StoppedHandler = std::function<void(OSStatus status, const std::string& reason)>;

    explicit RemoteIOUnit(AudioDevice& device);
    ~RemoteIOUnit() override;

    OSStatus start();
    OSStatus stop();
    bool isRunning() const { return running_.load(); }
    // Seconds from a cycle's render to its sound (see AudioDevice::renderedOutputLatency).
    double outputLatency() const { return device().renderedOutputLatency(); }
    // The share of the last cycle's duration spent rendering it.
    float cpuLoad() const { return cpuLoad_.load(); }
    // The dropouts the device under the unit has counted; any thread.
    AudioDeviceXruns xruns() const { return device().xruns(); }
    void setStoppedHandler(StoppedHandler handler);

protected:
    OSStatus renderBus(AudioUnitRenderActionFlags* flags, const AudioTimeStamp* timeStamp,
                       std::uint32_t bus, std::uint32_t frames, AudioBufferList& ioData) override;
    OSStatus extraPropertyInfo(AudioUnitPropertyID id, AudioUnitScope scope,
                               AudioUnitElement element, std::uint32_t* size,
                               bool* writable) const override;
    OSStatus getExtraProperty(AudioUnitPropertyID id, AudioUnitScope scope,
                              AudioUnitElement element, void* data) const override;
    OSStatus setExtraProperty(AudioUnitPropertyID id, AudioUnitScope scope,
                              AudioUnitElement element, const void* data,
                              std::uint32_t size) override;

private:
    void deviceCycle(const AudioDeviceCycle& cycle) FRETKIT_NONBLOCKING override;
    void deviceStopped(OSStatus status, const std::string& reason) override;
    void renderSlice(const AudioDeviceCycle& cycle, std::uint32_t offset, std::uint32_t frames);
    OSStatus startDevice();
    AudioDevice& device() const { return *device_.load(std::memory_order_acquire); }
    bool inputEnabled() const { return enableInput_ != 0; }

    // Changes only on the main thread, when a sound card that cannot start is replaced.
    std::atomic<AudioDevice*> device_;
    std::uint32_t enableInput_ = 0;
    std::uint32_t enableOutput_ = 1;
    AURenderCallbackStruct inputCallback_{nullptr, nullptr};
    double sampleRate_ = 44100.0; // the device's, read at start
    std::atomic<bool> running_{false};
    std::atomic<bool> stoppedByDevice_{false};
    std::atomic<float> cpuLoad_{0.0f};
    StoppedHandler stoppedHandler_;

    // The cycle being rendered, read by renderBus on the same thread.
    const float* cycleInput_ = nullptr;
    std::uint32_t cycleInputChannels_ = 0;
};

} // namespace fretkit::host
