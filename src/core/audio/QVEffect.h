#pragma once

#include "QVAudioStreamDescription.h"
#include "QVError.h"
#include "host/AudioTypes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fretkit::host {
class AudioUnit;
}
class QVStream;

// One audio unit: a node of a stream's graph, or a unit opened on its own. Typed access to its
// properties and parameters; failures become QVEffectErrors naming the property and scope.
class QVEffect {
public:
    explicit QVEffect(const fretkit::host::AudioComponentDescription& description);
    virtual ~QVEffect();
    QVEffect(const QVEffect&) = delete;
    QVEffect& operator=(const QVEffect&) = delete;

    static std::string name() { return "Effect"; }

    // Membership in a stream.
    void setStream(QVStream* stream, fretkit::host::AUNode node);
    QVStream* stream() const { return stream_; }
    fretkit::host::AUNode node() const { return node_; }
    const fretkit::host::AudioComponentDescription* componentDescription() const {
        return &description_;
    }
    fretkit::host::AudioUnit* audioUnit() const;
    bool removeFromStream(QVErrorPtr* error = nullptr);

    // Stand-alone use, without a graph.
    bool open(QVErrorPtr* error = nullptr);
    bool initialize(QVErrorPtr* error = nullptr);
    bool uninitialize(QVErrorPtr* error = nullptr);
    bool reset(QVErrorPtr* error = nullptr);

    // Callbacks.
    bool setRenderCallback(fretkit::host::AURenderCallback callback, std::uint32_t bus,
                           void* userData, QVErrorPtr* error = nullptr);
    bool setRenderCallback(fretkit::host::AURenderCallback callback, void* userData,
                           QVErrorPtr* error = nullptr);
    bool setInputCallback(fretkit::host::AURenderCallback callback, void* userData,
                          QVErrorPtr* error = nullptr);
    bool addRenderNotification(fretkit::host::AURenderCallback callback, void* userData,
                               QVErrorPtr* error = nullptr);
    bool removeRenderNotification(fretkit::host::AURenderCallback callback, void* userData,
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
    const fretkit::host::AUChannelInfo& channelInfo() const { return channelInfo_; }
    void setChannelInfo(const fretkit::host::AUChannelInfo& info) { channelInfo_ = info; }
    int supportedInputChannels(int wanted) const;
    int supportedOutputChannels(int wanted) const;

    // Called once after the graph has been opened.
    virtual bool setup(QVErrorPtr* error = nullptr);

    // Properties by (property, scope, element); the short forms use global scope, element 0.
    std::optional<std::vector<std::uint8_t>>
    dataForProperty(fretkit::host::AudioUnitPropertyID property,
                    fretkit::host::AudioUnitScope scope, fretkit::host::AudioUnitElement element,
                    QVErrorPtr* error) const;
    std::optional<std::vector<std::uint8_t>>
    dataForProperty(fretkit::host::AudioUnitPropertyID property,
                    fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
                    fretkit::host::AudioUnitElement element = 0) const;
    double doubleValueForProperty(
        fretkit::host::AudioUnitPropertyID property,
        fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
        fretkit::host::AudioUnitElement element = 0) const;
    std::uint32_t unsignedIntValueForProperty(
        fretkit::host::AudioUnitPropertyID property,
        fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
        fretkit::host::AudioUnitElement element = 0) const;
    bool boolValueForProperty(
        fretkit::host::AudioUnitPropertyID property,
        fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
        fretkit::host::AudioUnitElement element = 0) const;

    // Writes take the stream's render lock; failures are alerted. The value is encoded as the
    // unit expects it: a number as 4 bytes, a description as its structure, data as it is.
    bool setObject(std::uint32_t number, fretkit::host::AudioUnitPropertyID property,
                   fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
                   fretkit::host::AudioUnitElement element = 0);
    bool setObject(const QVAudioStreamDescription& format,
                   fretkit::host::AudioUnitPropertyID property,
                   fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
                   fretkit::host::AudioUnitElement element = 0);
    bool setObject(const std::vector<std::uint8_t>& data,
                   fretkit::host::AudioUnitPropertyID property,
                   fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
                   fretkit::host::AudioUnitElement element = 0);
    bool setBool(bool value, fretkit::host::AudioUnitPropertyID property);
    bool setUnsignedInt(std::uint32_t value, fretkit::host::AudioUnitPropertyID property);
    bool
    isPropertyAvailable(fretkit::host::AudioUnitPropertyID property,
                        fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
                        fretkit::host::AudioUnitElement element = 0) const;
    bool isPropertyWritable(fretkit::host::AudioUnitPropertyID property,
                            fretkit::host::AudioUnitScope scope,
                            fretkit::host::AudioUnitElement element) const;

    // Parameters; failures are alerted (a failed read answers 0).
    float
    valueForParameter(fretkit::host::AudioUnitParameterID parameter,
                      fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
                      fretkit::host::AudioUnitElement element = 0) const;
    void setValue(float value, fretkit::host::AudioUnitParameterID parameter,
                  fretkit::host::AudioUnitScope scope = fretkit::host::kAudioUnitScope_Global,
                  fretkit::host::AudioUnitElement element = 0);

    // Bypass: posts "bypassChanged" when it changes.
    bool enabled() const;
    void setEnabled(bool enabled);
    double tailTime() const;
    double latency() const;

protected:
    // Writes raw bytes under the render lock; failure fills a QVEffectError.
    bool setBytes(const void* data, std::uint32_t size, fretkit::host::AudioUnitPropertyID property,
                  fretkit::host::AudioUnitScope scope, fretkit::host::AudioUnitElement element,
                  QVErrorPtr* error);
    bool setBytesAlerting(const void* data, std::uint32_t size,
                          fretkit::host::AudioUnitPropertyID property,
                          fretkit::host::AudioUnitScope scope,
                          fretkit::host::AudioUnitElement element);

private:
    fretkit::host::AudioComponentDescription description_;
    QVStream* stream_ = nullptr;
    fretkit::host::AUNode node_ = 0;
    mutable fretkit::host::AudioUnit* audioUnit_ = nullptr;
    std::unique_ptr<fretkit::host::AudioUnit> ownUnit_; // a unit opened stand-alone
    fretkit::host::AUChannelInfo channelInfo_{-1, -1};
};
