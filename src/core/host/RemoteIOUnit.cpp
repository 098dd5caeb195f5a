#include "RemoteIOUnit.h"

#include "AudioDeviceLayer.h"
#include "HostFaults.h"
#include "HostTime.h"
#include "SampleCodec.h"
#include "SystemSounds.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace fretkit::host {

namespace {

bool isEnableIO(AudioUnitScope scope, AudioUnitElement element) {
    return (scope == kAudioUnitScope_Input && element == 1) ||
           (scope == kAudioUnitScope_Output && element == 0);
}

} // namespace

RemoteIOUnit::RemoteIOUnit(AudioDevice& device)
    : AudioUnit(
          {kAudioUnitType_Output, kAudioUnitSubType_RemoteIO, kAudioUnitManufacturer_Host, 0, 0}, 2,
          2),
      device_(&device) {
    // The hardware side's formats follow the device: its rate and channel counts.
    const AudioDeviceInfo info = device.info();
    for (auto [scope, element, channels] :
         {std::tuple{kAudioUnitScope_Input, 0u, info.outputChannels},
          std::tuple{kAudioUnitScope_Output, 1u,
                     info.inputChannels > 0 ? info.inputChannels : 1}}) {
        AudioStreamBasicDescription format = *streamFormat(scope, element);
        format.mSampleRate = info.sampleRate;
        format.mChannelsPerFrame = std::clamp(channels, 1u, kMaximumChannels);
        setProperty(kAudioUnitProperty_StreamFormat, scope, element, &format, sizeof(format));
    }
    // What bus 0 hands the device: interleaved 32-bit floats.
    AudioStreamBasicDescription deviceFormat{};
    deviceFormat.mSampleRate = info.sampleRate;
    deviceFormat.mFormatID = kAudioFormatLinearPCM;
    deviceFormat.mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked;
    deviceFormat.mChannelsPerFrame = std::clamp(info.outputChannels, 1u, kMaximumChannels);
    deviceFormat.mBitsPerChannel = 32;
    deviceFormat.mFramesPerPacket = 1;
    deviceFormat.mBytesPerFrame = deviceFormat.mBytesPerPacket = 4 * deviceFormat.mChannelsPerFrame;
    setProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0, &deviceFormat,
                sizeof(deviceFormat));
}

RemoteIOUnit::~RemoteIOUnit() {
    stop();
}

void RemoteIOUnit::setStoppedHandler(StoppedHandler handler) {
    stoppedHandler_ = std::move(handler);
}

OSStatus RemoteIOUnit::extraPropertyInfo(AudioUnitPropertyID id, AudioUnitScope scope,
                                         AudioUnitElement element, std::uint32_t* size,
                                         bool* writable) const {
    std::uint32_t bytes = 0;
    if (id == kAudioOutputUnitProperty_EnableIO) {
        if (!isEnableIO(scope, element)) {
            return scope == kAudioUnitScope_Global ? kAudioUnitErr_InvalidScope
                                                   : kAudioUnitErr_InvalidElement;
        }
        bytes = sizeof(std::uint32_t);
    } else if (id == kAudioOutputUnitProperty_SetInputCallback) {
        if (scope != kAudioUnitScope_Global) {
            return kAudioUnitErr_InvalidScope;
        }
        bytes = sizeof(AURenderCallbackStruct);
    } else {
        return kAudioUnitErr_InvalidProperty;
    }
    if (size != nullptr) {
        *size = bytes;
    }
    if (writable != nullptr) {
        *writable = !isInitialized();
    }
    return noErr;
}

OSStatus RemoteIOUnit::getExtraProperty(AudioUnitPropertyID id, AudioUnitScope scope,
                                        AudioUnitElement, void* data) const {
    if (id == kAudioOutputUnitProperty_EnableIO) {
        const std::uint32_t value = scope == kAudioUnitScope_Input ? enableInput_ : enableOutput_;
        std::memcpy(data, &value, sizeof(value));
    } else {
        std::memcpy(data, &inputCallback_, sizeof(inputCallback_));
    }
    return noErr;
}

OSStatus RemoteIOUnit::setExtraProperty(AudioUnitPropertyID id, AudioUnitScope scope,
                                        AudioUnitElement, const void* data, std::uint32_t size) {
    if (id == kAudioOutputUnitProperty_EnableIO) {
        std::uint32_t value = 0;
        std::memcpy(&value, data, size);
        if (scope == kAudioUnitScope_Input) {
            if (value != 0 && device().info().inputChannels == 0) {
                return kAudioUnitErr_InvalidPropertyValue; // no microphone to enable
            }
            enableInput_ = value != 0 ? 1 : 0;
        } else {
            enableOutput_ = value != 0 ? 1 : 0;
        }
    } else {
        std::memcpy(&inputCallback_, data, size);
    }
    return noErr;
}

OSStatus RemoteIOUnit::start() {
    if (running_.load()) {
        return noErr;
    }
    if (!isInitialized()) {
        return kAudioUnitErr_Uninitialized;
    }
    SystemSounds::prepare();
    running_.store(true);
    SystemSounds::outputStarted();
    const OSStatus status = startDevice();
    if (status != noErr && running_.exchange(false)) {
        SystemSounds::outputStopped();
    }
    return status;
}

OSStatus RemoteIOUnit::startDevice() {
    sampleRate_ = device().info().sampleRate;
    OSStatus status = HostFaults::check(HostCall::DeviceStart);
    if (status == noErr) {
        status = device().start(*this);
    }
    if (status == noErr || !device().standsForHardware()) {
        return status;
    }
    // The replacement has the card's rate and channels, so the formats set up stay right.
    device_.store(&AudioDeviceLayer::replaceFailedDevice(device(), status),
                  std::memory_order_release);
    return device().start(*this);
}

OSStatus RemoteIOUnit::stop() {
    // Also after the device stopped by itself: stopping it releases what it holds (files).
    const bool wasRunning = running_.exchange(false);
    if (wasRunning) {
        SystemSounds::outputStopped();
    }
    if (wasRunning || device().isRunning() || stoppedByDevice_.exchange(false)) {
        device().stop();
    }
    return noErr;
}

void RemoteIOUnit::deviceStopped(OSStatus status, const std::string& reason) {
    if (running_.exchange(false)) {
        SystemSounds::outputStopped();
        stoppedByDevice_.store(true);
        if (stoppedHandler_) {
            stoppedHandler_(status, reason);
        }
    }
}

void RemoteIOUnit::deviceCycle(const AudioDeviceCycle& cycle) {
    const std::uint64_t begin = hostAbsoluteTime();
    const std::uint32_t slice = maximumFramesPerSlice();
    for (std::uint32_t offset = 0; offset < cycle.frames; offset += slice) {
        renderSlice(cycle, offset, std::min(slice, cycle.frames - offset));
    }
    SystemSounds::mixInto(cycle.output, cycle.frames, cycle.outputChannels);
    const double seconds = static_cast<double>(hostAbsoluteTime() - begin) * 1e-9;
    const double duration = cycle.frames / sampleRate_;
    cpuLoad_.store(duration > 0.0 ? static_cast<float>(seconds / duration) : 0.0f);
}

void RemoteIOUnit::renderSlice(const AudioDeviceCycle& cycle, std::uint32_t offset,
                               std::uint32_t frames) {
    cycleInput_ =
        cycle.input != nullptr ? cycle.input + std::size_t{offset} * cycle.inputChannels : nullptr;
    cycleInputChannels_ = cycle.inputChannels;
    float* output = cycle.output + std::size_t{offset} * cycle.outputChannels;

    AudioTimeStamp timeStamp = cycle.timeStamp;
    timeStamp.mSampleTime += offset;
    // The device's output as a one-buffer interleaved list; renderBus fills it.
    AudioBufferList list{1, {{cycle.outputChannels, frames * cycle.outputChannels * 4u, output}}};
    AudioUnitRenderActionFlags flags = 0;
    const OSStatus status = enableOutput_ != 0 ? render(&flags, &timeStamp, 0, frames, &list)
                                               : kAudioUnitErr_NoConnection;
    if (status != noErr || (flags & kAudioUnitRenderAction_OutputIsSilence) != 0) {
        std::fill(output, output + std::size_t{frames} * cycle.outputChannels, 0.0f);
    }
    cycleInput_ = nullptr;
}

OSStatus RemoteIOUnit::renderBus(AudioUnitRenderActionFlags* flags, const AudioTimeStamp* timeStamp,
                                 std::uint32_t bus, std::uint32_t frames, AudioBufferList& ioData) {
    const AudioStreamBasicDescription& out = *streamFormat(kAudioUnitScope_Output, bus);
    if (bus == 1) {
        // The microphone: the cycle's input, channel by channel; channels the device lacks
        // stay silent.
        float* const* planar = scratch(1);
        const bool live = inputEnabled() && cycleInput_ != nullptr;
        for (std::uint32_t c = 0; c < out.mChannelsPerFrame; ++c) {
            float* to = planar[c];
            if (!live || c >= cycleInputChannels_) {
                std::fill(to, to + frames, 0.0f);
                continue;
            }
            const float* from = cycleInput_ + c;
            for (std::uint32_t i = 0; i < frames; ++i) {
                to[i] = from[std::size_t{i} * cycleInputChannels_];
            }
        }
        SampleCodec::encode(out, ioData, frames, planar);
        if (!inputEnabled() || cycleInput_ == nullptr) {
            *flags |= kAudioUnitRenderAction_OutputIsSilence;
        }
        return noErr;
    }
    // Bus 0: pull what the application feeds and hand it to the device (interleaved floats).
    AudioBufferList* pulled = nullptr;
    if (const OSStatus status = pullInput(0, flags, timeStamp, frames, pulled); status != noErr) {
        return status;
    }
    if ((*flags & kAudioUnitRenderAction_OutputIsSilence) != 0) {
        return noErr;
    }
    const AudioStreamBasicDescription& in = *streamFormat(kAudioUnitScope_Input, 0);
    float* const* planar = scratch(0);
    SampleCodec::decode(in, *pulled, frames, planar);
    const std::uint32_t channels = ioData.mBuffers[0].mNumberChannels;
    auto* device = static_cast<float*>(ioData.mBuffers[0].mData);
    for (std::uint32_t c = 0; c < channels; ++c) {
        const float* from = planar[std::min(c, in.mChannelsPerFrame - 1)];
        float* to = device + c;
        for (std::uint32_t i = 0; i < frames; ++i) {
            to[std::size_t{i} * channels] = from[i];
        }
    }
    return noErr;
}

} // namespace fretkit::host
