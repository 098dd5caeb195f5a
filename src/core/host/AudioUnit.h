#pragma once

#include "AudioTypes.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace fretkit::host {

// One audio processing unit: stream formats and element counts per scope, parameters, input
// sources (a connection to another unit's output bus, or a render callback), and render
// notifications called before and after each render. Units pull their inputs when rendered.
//
// Configuration (formats, element counts, sources) happens on the main thread, before the unit
// is initialised or under the caller's render lock; render() runs on the audio thread and,
// after initialize(), allocates nothing.
class AudioUnit {
public:
    static constexpr std::uint32_t kDefaultMaximumFramesPerSlice = 4096;
    static constexpr std::size_t kMaximumRenderNotifications = 8;
    static constexpr std::uint32_t kMaximumChannels = 16;

    virtual ~AudioUnit();
    AudioUnit(const AudioUnit&) = delete;
    AudioUnit& operator=(const AudioUnit&) = delete;

    const AudioComponentDescription& componentDescription() const { return description_; }

    OSStatus getPropertyInfo(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element,
                             std::uint32_t* size, bool* writable) const;
    OSStatus getProperty(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element,
                         void* data, std::uint32_t* size) const;
    OSStatus setProperty(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element,
                         const void* data, std::uint32_t size);
    OSStatus getParameter(AudioUnitParameterID id, AudioUnitScope scope, AudioUnitElement element,
                          AudioUnitParameterValue* value) const;
    OSStatus setParameter(AudioUnitParameterID id, AudioUnitScope scope, AudioUnitElement element,
                          AudioUnitParameterValue value);

    OSStatus initialize();
    OSStatus uninitialize();
    OSStatus reset(AudioUnitScope scope, AudioUnitElement element);
    bool isInitialized() const { return initialized_; }

    OSStatus addRenderNotify(AURenderCallback proc, void* refCon);
    OSStatus removeRenderNotify(AURenderCallback proc, void* refCon);

    // Renders frames of output bus `bus` into ioData (in that bus's output format): notifications
    // with the pre-render flag, the unit's work, notifications with the post-render flag.
    OSStatus render(AudioUnitRenderActionFlags* flags, const AudioTimeStamp* timeStamp,
                    std::uint32_t bus, std::uint32_t frames, AudioBufferList* ioData);

    // Feeds input element `bus` from `source`'s output bus (null clears the connection).
    OSStatus setInputConnection(AudioUnitElement bus, AudioUnit* source,
                                AudioUnitElement sourceBus);

    // Makes output bus `bus` render in `format` (the format its destination pulls in). Allowed
    // on an initialised unit: output formats own no buffers.
    OSStatus adoptOutputFormat(AudioUnitElement bus, const AudioStreamBasicDescription& format);

    // Drops every connection from `source` (which is going away).
    void forgetSource(const AudioUnit* source);

    std::uint32_t elementCount(AudioUnitScope scope) const;
    const AudioStreamBasicDescription* streamFormat(AudioUnitScope scope,
                                                    AudioUnitElement element) const;

protected:
    AudioUnit(const AudioComponentDescription& description, std::uint32_t inputs,
              std::uint32_t outputs);

    // The unit's own work for one output bus: fill ioData (already sized for frames).
    virtual OSStatus renderBus(AudioUnitRenderActionFlags* flags, const AudioTimeStamp* timeStamp,
                               std::uint32_t bus, std::uint32_t frames,
                               AudioBufferList& ioData) = 0;

    // Extra properties of a unit kind; answer kAudioUnitErr_InvalidProperty for unknown ones.
    virtual OSStatus extraPropertyInfo(AudioUnitPropertyID id, AudioUnitScope scope,
                                       AudioUnitElement element, std::uint32_t* size,
                                       bool* writable) const;
    virtual OSStatus getExtraProperty(AudioUnitPropertyID id, AudioUnitScope scope,
                                      AudioUnitElement element, void* data) const;
    virtual OSStatus setExtraProperty(AudioUnitPropertyID id, AudioUnitScope scope,
                                      AudioUnitElement element, const void* data,
                                      std::uint32_t size);
    virtual bool hasParameter(AudioUnitParameterID id, AudioUnitScope scope) const;
    virtual bool elementCountWritable(AudioUnitScope scope) const;
    // Checks the formats before buffers are made; answers a status to refuse initialisation.
    virtual OSStatus validateFormats() const;

    // Pulls frames of input element `bus` into that element's own buffers; on success `out`
    // points at them (in the element's input format).
    OSStatus pullInput(std::uint32_t bus, AudioUnitRenderActionFlags* flags,
                       const AudioTimeStamp* timeStamp, std::uint32_t frames,
                       AudioBufferList*& out);
    bool hasInputSource(std::uint32_t bus) const;

    // Planar float scratch of kMaximumChannels channels, sized at initialize().
    float* const* scratch(std::size_t index) { return scratch_[index].pointers.data(); }
    AudioUnitParameterValue parameter(AudioUnitParameterID id, AudioUnitScope scope,
                                      AudioUnitElement element) const;
    std::uint32_t maximumFramesPerSlice() const { return maximumFrames_; }

private:
    struct Element;
    struct Scratch {
        std::vector<float> samples;
        std::array<float*, kMaximumChannels> pointers{};
    };
    struct Notification {
        std::atomic<AURenderCallback> proc{nullptr};
        std::atomic<void*> refCon{nullptr};
    };

    std::vector<Element>* elements(AudioUnitScope scope);
    const std::vector<Element>* elements(AudioUnitScope scope) const;
    const Element* element(AudioUnitScope scope, AudioUnitElement element) const;
    OSStatus setElementCount(AudioUnitScope scope, std::uint32_t count);
    void callNotifications(AudioUnitRenderActionFlags flag, AudioUnitRenderActionFlags* flags,
                           const AudioTimeStamp* timeStamp, std::uint32_t bus, std::uint32_t frames,
                           AudioBufferList* ioData);

    AudioComponentDescription description_;
    std::vector<Element> inputs_;
    std::vector<Element> outputs_;
    std::uint32_t maximumFrames_ = kDefaultMaximumFramesPerSlice;
    std::uint32_t renderQuality_ = 127;
    bool initialized_ = false;
    std::array<Notification, kMaximumRenderNotifications> notifications_;
    std::array<Scratch, 2> scratch_;
};

// Makes the units of the components this host provides, looked up by description (zero fields
// of the wanted description match anything).
class AudioComponents {
public:
    static OSStatus instantiate(const AudioComponentDescription& wanted,
                                std::unique_ptr<AudioUnit>& unit);
};

} // namespace fretkit::host
