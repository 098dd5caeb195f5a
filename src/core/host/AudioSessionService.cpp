#include "AudioSessionService.h"

#include "AudioDeviceLayer.h"
#include "HostFaults.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace fretkit::host {

namespace {

struct Listener {
    std::uint32_t property;
    AudioSessionService::PropertyListener proc;
    void* userData;
};

struct SessionState {
    std::mutex mutex;
    bool initialized = false;
    AudioSessionService::InterruptionListener interruption = nullptr;
    void* interruptionData = nullptr;
    std::vector<Listener> listeners;
    std::uint32_t category = fourCC("solo");
    double preferredSampleRate = 0.0;
    float preferredBufferDuration = 0.0f;
    std::uint32_t overrideRoute = 0;
    std::uint32_t speakerIsDefault = 0;
    bool active = false;
};

SessionState& state() {
    static SessionState* shared = new SessionState();
    return *shared;
}

// A property's bytes: numbers by value, the route as text.
struct Value {
    std::vector<unsigned char> bytes;

    template <class T>
    static Value of(T number) {
        Value value;
        value.bytes.resize(sizeof(T));
        std::memcpy(value.bytes.data(), &number, sizeof(T));
        return value;
    }
};

OSStatus readProperty(const SessionState& s, std::uint32_t property, Value& value) {
    const AudioDeviceInfo info = AudioDeviceLayer::current().info();
    switch (property) {
    case AudioSessionService::kCategory:
        value = Value::of(s.category);
        return noErr;
    case AudioSessionService::kRoute:
        value.bytes.assign(info.route.begin(), info.route.end());
        return noErr;
    case AudioSessionService::kSampleRate:
        value = Value::of(info.sampleRate);
        return noErr;
    case AudioSessionService::kPreferredSampleRate:
        value = Value::of(s.preferredSampleRate);
        return noErr;
    case AudioSessionService::kPreferredBufferDuration:
        value = Value::of(s.preferredBufferDuration);
        return noErr;
    case AudioSessionService::kBufferDuration:
        value = Value::of(static_cast<float>(info.bufferFrames / info.sampleRate));
        return noErr;
    case AudioSessionService::kInputChannels:
        value = Value::of(info.inputChannels);
        return noErr;
    case AudioSessionService::kOutputChannels:
        value = Value::of(info.outputChannels);
        return noErr;
    case AudioSessionService::kOutputVolume:
        value = Value::of(info.outputVolume);
        return noErr;
    case AudioSessionService::kInputLatency:
        value = Value::of(static_cast<float>(info.inputLatency));
        return noErr;
    case AudioSessionService::kOutputLatency:
        value = Value::of(static_cast<float>(info.outputLatency));
        return noErr;
    case AudioSessionService::kOtherAudioPlaying:
        value = Value::of(std::uint32_t{0});
        return noErr;
    case AudioSessionService::kInputAvailable:
        value = Value::of(std::uint32_t{info.inputChannels > 0 ? 1u : 0u});
        return noErr;
    case AudioSessionService::kOverrideRoute:
        value = Value::of(s.overrideRoute);
        return noErr;
    case AudioSessionService::kSpeakerIsDefault:
        value = Value::of(s.speakerIsDefault);
        return noErr;
    default:
        return AudioSessionService::kUnsupportedProperty;
    }
}

void notify(std::uint32_t property, std::uint32_t size, const void* data) {
    std::vector<Listener> listeners;
    {
        std::lock_guard lock(state().mutex);
        listeners = state().listeners;
    }
    for (const Listener& l : listeners) {
        if (l.property == property) {
            l.proc(l.userData, property, size, data);
        }
    }
}

template <class T>
bool take(std::uint32_t size, const void* data, T& out) {
    if (size != sizeof(T) || data == nullptr) {
        return false;
    }
    std::memcpy(&out, data, sizeof(T));
    return true;
}

} // namespace

OSStatus AudioSessionService::initialize(InterruptionListener listener, void* userData) {
    if (const OSStatus status = HostFaults::check(HostCall::SessionInitialize); status != noErr) {
        return status;
    }
    std::lock_guard lock(state().mutex);
    if (state().initialized) {
        return kAlreadyInitialized;
    }
    state().initialized = true;
    state().interruption = listener;
    state().interruptionData = userData;
    return noErr;
}

OSStatus AudioSessionService::addPropertyListener(std::uint32_t property, PropertyListener listener,
                                                  void* userData) {
    std::lock_guard lock(state().mutex);
    if (!state().initialized) {
        return kNotInitialized;
    }
    if (listener == nullptr) {
        return kAudio_ParamError;
    }
    state().listeners.push_back({property, listener, userData});
    return noErr;
}

OSStatus AudioSessionService::getPropertySize(std::uint32_t property, std::uint32_t* size) {
    Value value;
    {
        std::lock_guard lock(state().mutex);
        if (!state().initialized) {
            return kNotInitialized;
        }
        if (const OSStatus status = readProperty(state(), property, value); status != noErr) {
            return status;
        }
    }
    *size = static_cast<std::uint32_t>(value.bytes.size());
    return noErr;
}

OSStatus AudioSessionService::getProperty(std::uint32_t property, std::uint32_t* size, void* data) {
    if (const OSStatus status = HostFaults::check(HostCall::SessionGetProperty, property);
        status != noErr) {
        return status;
    }
    Value value;
    {
        std::lock_guard lock(state().mutex);
        if (!state().initialized) {
            return kNotInitialized;
        }
        if (const OSStatus status = readProperty(state(), property, value); status != noErr) {
            return status;
        }
    }
    if (size == nullptr || *size < value.bytes.size() ||
        (data == nullptr && !value.bytes.empty())) {
        return kBadPropertySize;
    }
    *size = static_cast<std::uint32_t>(value.bytes.size());
    if (!value.bytes.empty()) {
        std::memcpy(data, value.bytes.data(), value.bytes.size());
    }
    return noErr;
}

OSStatus AudioSessionService::setProperty(std::uint32_t property, std::uint32_t size,
                                          const void* data) {
    if (const OSStatus status = HostFaults::check(HostCall::SessionSetProperty, property);
        status != noErr) {
        return status;
    }
    AudioDevice& device = AudioDeviceLayer::current();
    double rateBefore = 0.0;
    bool rateChanged = false;
    {
        std::lock_guard lock(state().mutex);
        SessionState& s = state();
        if (!s.initialized) {
            return kNotInitialized;
        }
        bool sizeOk = false;
        switch (property) {
        case kCategory:
            sizeOk = take(size, data, s.category);
            break;
        case kPreferredSampleRate:
            sizeOk = take(size, data, s.preferredSampleRate);
            if (sizeOk && s.preferredSampleRate > 0.0) {
                rateBefore = device.info().sampleRate;
                device.setPreferredSampleRate(s.preferredSampleRate);
                rateChanged = device.info().sampleRate != rateBefore;
            }
            break;
        case kPreferredBufferDuration:
            sizeOk = take(size, data, s.preferredBufferDuration);
            if (sizeOk && s.preferredBufferDuration > 0.0f) {
                device.setPreferredBufferFrames(static_cast<std::uint32_t>(
                    double{s.preferredBufferDuration} * device.info().sampleRate + 0.5));
            }
            break;
        case kOverrideRoute:
            sizeOk = take(size, data, s.overrideRoute);
            break;
        case kSpeakerIsDefault:
            sizeOk = take(size, data, s.speakerIsDefault);
            break;
        default:
            return kUnsupportedProperty;
        }
        if (!sizeOk) {
            return kBadPropertySize;
        }
    }
    if (rateChanged) {
        const double rate = device.info().sampleRate;
        notify(kSampleRate, sizeof(rate), &rate);
    }
    return noErr;
}

OSStatus AudioSessionService::setActive(bool active) {
    if (const OSStatus status = HostFaults::check(HostCall::SessionSetActive); status != noErr) {
        return status;
    }
    std::lock_guard lock(state().mutex);
    if (!state().initialized) {
        return kNotInitialized;
    }
    if (!active && !state().active) {
        return kNotActive;
    }
    state().active = active;
    return noErr;
}

void AudioSessionService::interrupt(std::uint32_t state) {
    InterruptionListener listener = nullptr;
    void* userData = nullptr;
    {
        std::lock_guard lock(fretkit::host::state().mutex);
        listener = fretkit::host::state().interruption;
        userData = fretkit::host::state().interruptionData;
    }
    if (listener != nullptr) {
        listener(userData, state);
    }
}

void AudioSessionService::routeChanged(const void* changeRecord) {
    notify(kRouteChange, sizeof(void*), changeRecord);
}

} // namespace fretkit::host
