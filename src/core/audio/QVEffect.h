#pragma once

#include "QVAudioStreamDescription.h"
#include "QVError.h"
#include "host/AudioTypes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class AudioUnit;
class QVStream;

// One audio unit: a node of a stream's graph, or a unit opened on its own. Typed access to its
// properties and parameters; failures become QVEffectErrors naming the property and scope.
class QVEffect {
public:
    explicit QVEffect(const AudioComponentDescription& description);
    virtual ~QVEffect();
    QVEffect(const QVEffect&) = delete;
    QVEffect& operator=(const QVEffect&) = delete;

    static std::string name() { return "Effect"; }

    // Membership in a stream.
    void setStream(QVStream* stream, AUNode node);
    QVStream* stream() const { return stream_; }
    AUNode node() const { return node_; }
    const AudioComponentDescription* componentDescription() const { return &description_; }
    AudioUnit* audioUnit() const;
    bool removeFromStream(QVErrorPtr* error = nullptr);

    // Stand-alone use, without a graph.
    bool open(QVErrorPtr* error = nullptr);
    bool initialize(QVErrorPtr* error = nullptr);
    bool uninitialize(QVErrorPtr* error = nullptr);
    bool reset(QVErrorPtr* error = nullptr);

    // Callbacks.
    bool setRenderCallback(AURenderCallback callback, std::uint32_t bus, void* userData,
                           QVErrorPtr* error = nullptr);
    bool setRenderCallback(AURenderCallback callback, void* userData, QVErrorPtr* error = nullptr);
    bool setInputCallback(AURenderCallback callback, void* userData, QVErrorPtr* error = nullptr);
    bool addRenderNotification(AURenderCallback callback, void* userData,
                               QVErrorPtr* error = nullptr);
    bool removeRenderNotification(AURenderCallback callback, void* userData,
                                  QVErrorPtr* error = nullptr);

    // Stream formats (failures are alerted).
    bool setInputStreamFormat(const QVAudioStreamDescription& format, std::uint32_t bus = 0);
    bool setOutputStreamFormat(const QVAudioStreamDescription& format, std::uint32_t bus = 0);
    bool setStreamFormat(const QVAudioStreamDescription& format);
    std::unique_ptr<QVAudioStreamDescription> streamFormatForInput(bool input,
                                                                   std::uint32_t bus) const;
    std::unique_ptr<QVAudioStreamDescription> inputStreamFormat() const;
    std::unique_ptr<QVAudioStreamDescription> outputStreamFormat() const;
    std::unique_ptr<QVAudioStreamDescription> inputStreamFormatForBus(std::uint32_t bus) const;
    std::unique_ptr<QVAudioStreamDescription> outputStreamFormatForBus(std::uint32_t bus) const;

    // Buses and channels.
    std::uint32_t inputBusCount() const;
    std::uint32_t outputBusCount() const;
    bool setInputBusCount(std::uint32_t count);
    bool setOutputBusCount(std::uint32_t count);
    std::uint32_t inputChannels() const;
    std::uint32_t outputChannels() const;
    const AUChannelInfo& channelInfo() const { return channelInfo_; }
    void setChannelInfo(const AUChannelInfo& info) { channelInfo_ = info; }
    int supportedInputChannels(int wanted) const;
    int supportedOutputChannels(int wanted) const;

    // Called once after the graph has been opened.
    virtual bool setup(QVErrorPtr* error = nullptr);

    // Properties by (property, scope, element); the short forms use global scope, element 0.
    std::optional<std::vector<std::uint8_t>> dataForProperty(AudioUnitPropertyID property,
                                                             AudioUnitScope scope,
                                                             AudioUnitElement element,
                                                             QVErrorPtr* error) const;
    std::optional<std::vector<std::uint8_t>>
    dataForProperty(AudioUnitPropertyID property, AudioUnitScope scope = kAudioUnitScope_Global,
                    AudioUnitElement element = 0) const;
    double doubleValueForProperty(AudioUnitPropertyID property,
                                  AudioUnitScope scope = kAudioUnitScope_Global,
                                  AudioUnitElement element = 0) const;
    std::uint32_t unsignedIntValueForProperty(AudioUnitPropertyID property,
                                              AudioUnitScope scope = kAudioUnitScope_Global,
                                              AudioUnitElement element = 0) const;
    bool boolValueForProperty(AudioUnitPropertyID property,
                              AudioUnitScope scope = kAudioUnitScope_Global,
                              AudioUnitElement element = 0) const;

    // Writes take the stream's render lock; failures are alerted. The value is encoded as the
    // unit expects it: a number as 4 bytes, a description as its structure, data as it is.
    bool setObject(std::uint32_t number, AudioUnitPropertyID property,
                   AudioUnitScope scope = kAudioUnitScope_Global, AudioUnitElement element = 0);
    bool setObject(const QVAudioStreamDescription& format, AudioUnitPropertyID property,
                   AudioUnitScope scope = kAudioUnitScope_Global, AudioUnitElement element = 0);
    bool setObject(const std::vector<std::uint8_t>& data, AudioUnitPropertyID property,
                   AudioUnitScope scope = kAudioUnitScope_Global, AudioUnitElement element = 0);
    bool setBool(bool value, AudioUnitPropertyID property);
    bool setUnsignedInt(std::uint32_t value, AudioUnitPropertyID property);
    bool isPropertyAvailable(AudioUnitPropertyID property,
                             AudioUnitScope scope = kAudioUnitScope_Global,
                             AudioUnitElement element = 0) const;
    bool isPropertyWritable(AudioUnitPropertyID property, AudioUnitScope scope,
                            AudioUnitElement element) const;

    // Parameters; failures are alerted (a failed read answers 0).
    float valueForParameter(AudioUnitParameterID parameter,
                            AudioUnitScope scope = kAudioUnitScope_Global,
                            AudioUnitElement element = 0) const;
    void setValue(float value, AudioUnitParameterID parameter,
                  AudioUnitScope scope = kAudioUnitScope_Global, AudioUnitElement element = 0);

    // Bypass: posts "bypassChanged" when it changes.
    bool enabled() const;
    void setEnabled(bool enabled);
    double tailTime() const;
    double latency() const;

protected:
    // Writes raw bytes under the render lock; failure fills a QVEffectError.
    bool setBytes(const void* data, std::uint32_t size, AudioUnitPropertyID property,
                  AudioUnitScope scope, AudioUnitElement element, QVErrorPtr* error);
    bool setBytesAlerting(const void* data, std::uint32_t size, AudioUnitPropertyID property,
                          AudioUnitScope scope, AudioUnitElement element);

private:
    AudioComponentDescription description_;
    QVStream* stream_ = nullptr;
    AUNode node_ = 0;
    mutable AudioUnit* audioUnit_ = nullptr;
    std::unique_ptr<AudioUnit> ownUnit_; // a unit opened stand-alone
    AUChannelInfo channelInfo_{-1, -1};
};
