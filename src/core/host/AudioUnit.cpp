#include "AudioUnit.h"

#include "HostFaults.h"
#include "SampleCodec.h"

#include <cstring>

namespace fretkit::host {

namespace {

constexpr std::size_t kParameters = 4;

} // namespace

struct AudioUnit::Element {
    Element() = default;
    Element(Element&& other) noexcept
        : format(other.format), source(other.source), sourceBus(other.sourceBus),
          callback(other.callback), listStorage(std::move(other.listStorage)),
          dataStorage(std::move(other.dataStorage)) {
        for (std::size_t i = 0; i < kParameters; ++i) {
            parameters[i].store(other.parameters[i].load());
        }
    }

    AudioBufferList* list() { return reinterpret_cast<AudioBufferList*>(listStorage.data()); }

    AudioStreamBasicDescription format = canonicalAudioUnitFormat(44100.0, 2);
    AudioUnit* source = nullptr;
    AudioUnitElement sourceBus = 0;
    AURenderCallbackStruct callback{nullptr, nullptr};
    std::array<std::atomic<float>, kParameters> parameters{1.0f, 1.0f, 0.0f, 0.0f};
    std::vector<std::uint64_t> listStorage; // the pull buffer list, made at initialise
    std::vector<std::uint64_t> dataStorage;
};

AudioUnit::AudioUnit(const AudioComponentDescription& description, std::uint32_t inputs,
                     std::uint32_t outputs)
    : description_(description), inputs_(inputs), outputs_(outputs) {}

AudioUnit::~AudioUnit() = default;

std::vector<AudioUnit::Element>* AudioUnit::elements(AudioUnitScope scope) {
    return scope == kAudioUnitScope_Input    ? &inputs_
           : scope == kAudioUnitScope_Output ? &outputs_
                                             : nullptr;
}

const std::vector<AudioUnit::Element>* AudioUnit::elements(AudioUnitScope scope) const {
    return const_cast<AudioUnit*>(this)->elements(scope);
}

const AudioUnit::Element* AudioUnit::element(AudioUnitScope scope, AudioUnitElement element) const {
    const std::vector<Element>* list = elements(scope);
    return list != nullptr && element < list->size() ? &(*list)[element] : nullptr;
}

std::uint32_t AudioUnit::elementCount(AudioUnitScope scope) const {
    const std::vector<Element>* list = elements(scope);
    return list != nullptr ? static_cast<std::uint32_t>(list->size()) : 1;
}

const AudioStreamBasicDescription* AudioUnit::streamFormat(AudioUnitScope scope,
                                                           AudioUnitElement element) const {
    const Element* e = this->element(scope, element);
    return e != nullptr ? &e->format : nullptr;
}

OSStatus AudioUnit::getPropertyInfo(AudioUnitPropertyID id, AudioUnitScope scope,
                                    AudioUnitElement element, std::uint32_t* size,
                                    bool* writable) const {
    std::uint32_t bytes = 0;
    bool canWrite = false;
    switch (id) {
    case kAudioUnitProperty_StreamFormat:
        if (scope == kAudioUnitScope_Global) {
            return kAudioUnitErr_InvalidScope;
        }
        if (this->element(scope, element) == nullptr) {
            return kAudioUnitErr_InvalidElement;
        }
        bytes = sizeof(AudioStreamBasicDescription);
        canWrite = !initialized_;
        break;
    case kAudioUnitProperty_ElementCount:
        bytes = sizeof(std::uint32_t);
        canWrite = !initialized_ && elementCountWritable(scope);
        break;
    case kAudioUnitProperty_Latency:
    case kAudioUnitProperty_TailTime:
        bytes = sizeof(double);
        break;
    case kAudioUnitProperty_MaximumFramesPerSlice:
    case kAudioUnitProperty_RenderQuality:
        if (scope != kAudioUnitScope_Global) {
            return kAudioUnitErr_InvalidScope;
        }
        bytes = sizeof(std::uint32_t);
        canWrite = id == kAudioUnitProperty_RenderQuality || !initialized_;
        break;
    case kAudioUnitProperty_SetRenderCallback:
        if (scope != kAudioUnitScope_Input) {
            return kAudioUnitErr_InvalidScope;
        }
        if (this->element(scope, element) == nullptr) {
            return kAudioUnitErr_InvalidElement;
        }
        bytes = sizeof(AURenderCallbackStruct);
        canWrite = true;
        break;
    default:
        return extraPropertyInfo(id, scope, element, size, writable);
    }
    if (size != nullptr) {
        *size = bytes;
    }
    if (writable != nullptr) {
        *writable = canWrite;
    }
    return noErr;
}

OSStatus AudioUnit::getProperty(AudioUnitPropertyID id, AudioUnitScope scope,
                                AudioUnitElement element, void* data, std::uint32_t* size) const {
    std::uint32_t needed = 0;
    if (const OSStatus status = getPropertyInfo(id, scope, element, &needed, nullptr);
        status != noErr) {
        return status;
    }
    if (data == nullptr || size == nullptr || *size < needed) {
        return kAudio_ParamError;
    }
    *size = needed;
    switch (id) {
    case kAudioUnitProperty_StreamFormat:
        std::memcpy(data, &this->element(scope, element)->format, needed);
        return noErr;
    case kAudioUnitProperty_ElementCount: {
        const std::uint32_t count = elementCount(scope);
        std::memcpy(data, &count, needed);
        return noErr;
    }
    case kAudioUnitProperty_Latency:
    case kAudioUnitProperty_TailTime: {
        const double zero = 0.0;
        std::memcpy(data, &zero, needed);
        return noErr;
    }
    case kAudioUnitProperty_MaximumFramesPerSlice:
        std::memcpy(data, &maximumFrames_, needed);
        return noErr;
    case kAudioUnitProperty_RenderQuality:
        std::memcpy(data, &renderQuality_, needed);
        return noErr;
    case kAudioUnitProperty_SetRenderCallback:
        std::memcpy(data, &this->element(scope, element)->callback, needed);
        return noErr;
    default:
        return getExtraProperty(id, scope, element, data);
    }
}

OSStatus AudioUnit::setProperty(AudioUnitPropertyID id, AudioUnitScope scope,
                                AudioUnitElement element, const void* data, std::uint32_t size) {
    if (const OSStatus status = HostFaults::check(HostCall::SetProperty, id); status != noErr) {
        return status;
    }
    std::uint32_t needed = 0;
    bool writable = false;
    if (const OSStatus status = getPropertyInfo(id, scope, element, &needed, &writable);
        status != noErr) {
        return status;
    }
    if (!writable) {
        return initialized_ ? kAudioUnitErr_CannotDoInCurrentContext
                            : kAudioUnitErr_PropertyNotWritable;
    }
    if (data == nullptr || size != needed) {
        return kAudio_ParamError;
    }
    switch (id) {
    case kAudioUnitProperty_StreamFormat: {
        AudioStreamBasicDescription format{};
        std::memcpy(&format, data, size);
        if (!SampleCodec::supports(format) || format.mChannelsPerFrame > kMaximumChannels ||
            !(format.mSampleRate > 0.0)) {
            return kAudioUnitErr_FormatNotSupported;
        }
        (*elements(scope))[element].format = format;
        return noErr;
    }
    case kAudioUnitProperty_ElementCount: {
        std::uint32_t count = 0;
        std::memcpy(&count, data, size);
        return setElementCount(scope, count);
    }
    case kAudioUnitProperty_MaximumFramesPerSlice: {
        std::uint32_t frames = 0;
        std::memcpy(&frames, data, size);
        if (frames == 0) {
            return kAudioUnitErr_InvalidPropertyValue;
        }
        maximumFrames_ = frames;
        return noErr;
    }
    case kAudioUnitProperty_RenderQuality: {
        std::uint32_t quality = 0;
        std::memcpy(&quality, data, size);
        renderQuality_ = quality > 127 ? 127 : quality;
        return noErr;
    }
    case kAudioUnitProperty_SetRenderCallback: {
        Element& e = (*elements(scope))[element];
        std::memcpy(&e.callback, data, size);
        if (e.callback.inputProc != nullptr) {
            e.source = nullptr;
        }
        return noErr;
    }
    default:
        return setExtraProperty(id, scope, element, data, size);
    }
}

OSStatus AudioUnit::setElementCount(AudioUnitScope scope, std::uint32_t count) {
    std::vector<Element>* list = elements(scope);
    if (list == nullptr || count == 0 || count > 64) {
        return kAudioUnitErr_InvalidPropertyValue;
    }
    std::vector<Element> resized;
    resized.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        resized.push_back(i < list->size() ? std::move((*list)[i]) : Element());
    }
    *list = std::move(resized);
    return noErr;
}

OSStatus AudioUnit::extraPropertyInfo(AudioUnitPropertyID, AudioUnitScope, AudioUnitElement,
                                      std::uint32_t*, bool*) const {
    return kAudioUnitErr_InvalidProperty;
}

OSStatus AudioUnit::getExtraProperty(AudioUnitPropertyID, AudioUnitScope, AudioUnitElement,
                                     void*) const {
    return kAudioUnitErr_InvalidProperty;
}

OSStatus AudioUnit::setExtraProperty(AudioUnitPropertyID, AudioUnitScope, AudioUnitElement,
                                     const void*, std::uint32_t) {
    return kAudioUnitErr_InvalidProperty;
}

bool AudioUnit::hasParameter(AudioUnitParameterID, AudioUnitScope) const {
    return false;
}

bool AudioUnit::elementCountWritable(AudioUnitScope) const {
    return false;
}

OSStatus AudioUnit::validateFormats() const {
    return noErr;
}

OSStatus AudioUnit::getParameter(AudioUnitParameterID id, AudioUnitScope scope,
                                 AudioUnitElement element, AudioUnitParameterValue* value) const {
    if (!hasParameter(id, scope) || id >= kParameters) {
        return kAudioUnitErr_InvalidParameter;
    }
    if (scope != kAudioUnitScope_Global && this->element(scope, element) == nullptr) {
        return kAudioUnitErr_InvalidElement;
    }
    if (value == nullptr) {
        return kAudio_ParamError;
    }
    *value = parameter(id, scope, element);
    return noErr;
}

OSStatus AudioUnit::setParameter(AudioUnitParameterID id, AudioUnitScope scope,
                                 AudioUnitElement element, AudioUnitParameterValue value) {
    if (!hasParameter(id, scope) || id >= kParameters) {
        return kAudioUnitErr_InvalidParameter;
    }
    const Element* e =
        scope == kAudioUnitScope_Global ? &outputs_.at(0) : this->element(scope, element);
    if (e == nullptr) {
        return kAudioUnitErr_InvalidElement;
    }
    const_cast<Element*>(e)->parameters[id].store(value);
    return noErr;
}

AudioUnitParameterValue AudioUnit::parameter(AudioUnitParameterID id, AudioUnitScope scope,
                                             AudioUnitElement element) const {
    const Element* e =
        scope == kAudioUnitScope_Global ? &outputs_.at(0) : this->element(scope, element);
    return e != nullptr && id < kParameters ? e->parameters[id].load() : 0.0f;
}

OSStatus AudioUnit::initialize() {
    if (initialized_) {
        return noErr;
    }
    if (const OSStatus status = validateFormats(); status != noErr) {
        return status;
    }
    for (Element& e : inputs_) {
        const std::uint32_t buffers = SampleCodec::bufferCount(e.format);
        const std::uint32_t bytes = SampleCodec::bytesPerBuffer(e.format, maximumFrames_);
        e.listStorage.assign((audioBufferListSize(buffers) + 7) / 8, 0);
        e.dataStorage.assign((std::size_t{bytes} * buffers + 7) / 8, 0);
        AudioBufferList* list = e.list();
        list->mNumberBuffers = buffers;
        auto* data = reinterpret_cast<char*>(e.dataStorage.data());
        for (std::uint32_t b = 0; b < buffers; ++b) {
            audioBufferAt(*list, b) = {buffers == 1 ? e.format.mChannelsPerFrame : 1, bytes,
                                       data + std::size_t{b} * bytes};
        }
    }
    for (Scratch& s : scratch_) {
        s.samples.assign(std::size_t{kMaximumChannels} * maximumFrames_, 0.0f);
        for (std::uint32_t c = 0; c < kMaximumChannels; ++c) {
            s.pointers[c] = s.samples.data() + std::size_t{c} * maximumFrames_;
        }
    }
    initialized_ = true;
    return noErr;
}

OSStatus AudioUnit::uninitialize() {
    initialized_ = false;
    return noErr;
}

OSStatus AudioUnit::reset(AudioUnitScope scope, AudioUnitElement element) {
    if (scope != kAudioUnitScope_Global && this->element(scope, element) == nullptr) {
        return kAudioUnitErr_InvalidElement;
    }
    for (Scratch& s : scratch_) {
        std::fill(s.samples.begin(), s.samples.end(), 0.0f);
    }
    return noErr;
}

OSStatus AudioUnit::addRenderNotify(AURenderCallback proc, void* refCon) {
    if (const OSStatus status = HostFaults::check(HostCall::AddRenderNotify); status != noErr) {
        return status;
    }
    if (proc == nullptr) {
        return kAudio_ParamError;
    }
    for (Notification& n : notifications_) {
        if (n.proc.load(std::memory_order_acquire) == nullptr) {
            n.refCon.store(refCon, std::memory_order_relaxed);
            n.proc.store(proc, std::memory_order_release);
            return noErr;
        }
    }
    return kAudioUnitErr_CannotDoInCurrentContext;
}

OSStatus AudioUnit::removeRenderNotify(AURenderCallback proc, void* refCon) {
    for (Notification& n : notifications_) {
        if (n.proc.load(std::memory_order_acquire) == proc &&
            n.refCon.load(std::memory_order_relaxed) == refCon) {
            n.proc.store(nullptr, std::memory_order_release);
            return noErr;
        }
    }
    return noErr;
}

void AudioUnit::callNotifications(AudioUnitRenderActionFlags flag,
                                  AudioUnitRenderActionFlags* flags,
                                  const AudioTimeStamp* timeStamp, std::uint32_t bus,
                                  std::uint32_t frames, AudioBufferList* ioData) {
    for (Notification& n : notifications_) {
        const AURenderCallback proc = n.proc.load(std::memory_order_acquire);
        if (proc != nullptr) {
            AudioUnitRenderActionFlags notified = *flags | flag;
            proc(n.refCon.load(std::memory_order_relaxed), &notified, timeStamp, bus, frames,
                 ioData);
            // Only the silence flag travels back from a notification.
            *flags |= notified & kAudioUnitRenderAction_OutputIsSilence;
        }
    }
}

OSStatus AudioUnit::render(AudioUnitRenderActionFlags* flags, const AudioTimeStamp* timeStamp,
                           std::uint32_t bus, std::uint32_t frames, AudioBufferList* ioData) {
    if (!initialized_) {
        return kAudioUnitErr_Uninitialized;
    }
    if (frames > maximumFrames_) {
        return kAudioUnitErr_TooManyFramesToProcess;
    }
    const Element* out = element(kAudioUnitScope_Output, bus);
    if (out == nullptr || ioData == nullptr || flags == nullptr || timeStamp == nullptr) {
        return out == nullptr ? kAudioUnitErr_InvalidElement : kAudio_ParamError;
    }
    for (std::uint32_t b = 0; b < ioData->mNumberBuffers; ++b) {
        audioBufferAt(*ioData, b).mDataByteSize = SampleCodec::bytesPerBuffer(out->format, frames);
    }
    callNotifications(kAudioUnitRenderAction_PreRender, flags, timeStamp, bus, frames, ioData);
    const OSStatus status = renderBus(flags, timeStamp, bus, frames, *ioData);
    callNotifications(kAudioUnitRenderAction_PostRender, flags, timeStamp, bus, frames, ioData);
    return status;
}

OSStatus AudioUnit::setInputConnection(AudioUnitElement bus, AudioUnit* source,
                                       AudioUnitElement sourceBus) {
    if (bus >= inputs_.size()) {
        return kAudioUnitErr_InvalidElement;
    }
    Element& e = inputs_[bus];
    e.source = source;
    e.sourceBus = sourceBus;
    if (source != nullptr) {
        e.callback = {nullptr, nullptr};
    }
    return noErr;
}

OSStatus AudioUnit::adoptOutputFormat(AudioUnitElement bus,
                                      const AudioStreamBasicDescription& format) {
    if (bus >= outputs_.size()) {
        return kAudioUnitErr_InvalidElement;
    }
    if (!SampleCodec::supports(format) || format.mChannelsPerFrame > kMaximumChannels) {
        return kAudioUnitErr_FormatNotSupported;
    }
    outputs_[bus].format = format;
    return noErr;
}

void AudioUnit::forgetSource(const AudioUnit* source) {
    for (Element& e : inputs_) {
        if (e.source == source) {
            e.source = nullptr;
        }
    }
}

bool AudioUnit::hasInputSource(std::uint32_t bus) const {
    return bus < inputs_.size() &&
           (inputs_[bus].source != nullptr || inputs_[bus].callback.inputProc != nullptr);
}

OSStatus AudioUnit::pullInput(std::uint32_t bus, AudioUnitRenderActionFlags* flags,
                              const AudioTimeStamp* timeStamp, std::uint32_t frames,
                              AudioBufferList*& out) {
    if (bus >= inputs_.size()) {
        return kAudioUnitErr_InvalidElement;
    }
    Element& e = inputs_[bus];
    AudioBufferList* list = e.list();
    const std::uint32_t bytes = SampleCodec::bytesPerBuffer(e.format, frames);
    for (std::uint32_t b = 0; b < list->mNumberBuffers; ++b) {
        audioBufferAt(*list, b).mDataByteSize = bytes;
    }
    out = list;
    if (e.source != nullptr) {
        return e.source->render(flags, timeStamp, e.sourceBus, frames, list);
    }
    if (e.callback.inputProc != nullptr) {
        return e.callback.inputProc(e.callback.inputProcRefCon, flags, timeStamp, bus, frames,
                                    list);
    }
    return kAudioUnitErr_NoConnection;
}

} // namespace fretkit::host
