#include "QVEffect.h"

#include "QVEffectError.h"
#include "QVStream.h"
#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "foundation/StringFormat.h"
#include "host/AudioUnit.h"

#include <cstring>
#include <mutex>

using namespace fretkit::host;

namespace {

bool check(OSStatus status, const std::string& action, QVErrorPtr* error) {
    if (status != noErr && error != nullptr) {
        *error = QVEffectError::errorWithCode(status, action);
    }
    return status == noErr;
}

template <class T>
T valueFrom(const std::optional<std::vector<std::uint8_t>>& data) {
    T value{};
    if (data && data->size() >= sizeof(T)) {
        std::memcpy(&value, data->data(), sizeof(T));
    }
    return value;
}

} // namespace

QVEffect::QVEffect(const AudioComponentDescription& description) : description_(description) {}

QVEffect::~QVEffect() {
    if (stream_ != nullptr) {
        removeFromStream();
    }
}

void QVEffect::setStream(QVStream* stream, AUNode node) {
    stream_ = stream;
    node_ = node;
    if (stream == nullptr) {
        audioUnit_ = nullptr;
    }
}

AudioUnit* QVEffect::audioUnit() const {
    if (audioUnit_ == nullptr && stream_ != nullptr) {
        audioUnit_ = stream_->audioUnitForEffect(*this);
    }
    return audioUnit_;
}

bool QVEffect::removeFromStream(QVErrorPtr* error) {
    return stream_ == nullptr || stream_->removeEffect(*this, error);
}

bool QVEffect::open(QVErrorPtr* error) {
    const OSStatus status = AudioComponents::instantiate(description_, ownUnit_);
    if (status == noErr) {
        audioUnit_ = ownUnit_.get();
    }
    return check(status, "Opening", error);
}

bool QVEffect::initialize(QVErrorPtr* error) {
    AudioUnit* unit = audioUnit();
    return check(unit != nullptr ? unit->initialize() : kAudioUnitErr_Uninitialized, "Initializing",
                 error);
}

bool QVEffect::uninitialize(QVErrorPtr* error) {
    AudioUnit* unit = audioUnit();
    return unit == nullptr || check(unit->uninitialize(), "Uninitializing", error);
}

bool QVEffect::reset(QVErrorPtr* error) {
    AudioUnit* unit = audioUnit();
    if (unit == nullptr) {
        return check(kAudioUnitErr_Uninitialized, "Resetting", error);
    }
    std::unique_lock<QVRenderLock> lock;
    if (stream_ != nullptr) {
        lock = std::unique_lock(stream_->renderLock());
    }
    return check(unit->reset(kAudioUnitScope_Global, 0), "Resetting", error);
}

bool QVEffect::setBytes(const void* data, std::uint32_t size, AudioUnitPropertyID property,
                        AudioUnitScope scope, AudioUnitElement element, QVErrorPtr* error) {
    AudioUnit* unit = audioUnit();
    if (unit == nullptr) {
        return true;
    }
    OSStatus status = noErr;
    {
        std::unique_lock<QVRenderLock> lock;
        if (stream_ != nullptr) {
            lock = std::unique_lock(stream_->renderLock());
        }
        status = unit->setProperty(property, scope, element, data, size);
    }
    return check(status,
                 fretkit::stringWithFormat("Applying the %s to the %s scope",
                                           QVEffectError::propertyNameForCode(property).c_str(),
                                           QVEffectError::scopeNameForCode(scope).c_str()),
                 error);
}

bool QVEffect::setBytesAlerting(const void* data, std::uint32_t size, AudioUnitPropertyID property,
                                AudioUnitScope scope, AudioUnitElement element) {
    QVErrorPtr error;
    const bool ok = setBytes(data, size, property, scope, element, &error);
    if (!ok) {
        QVError::alert(error.get());
    }
    return ok;
}

bool QVEffect::setRenderCallback(AURenderCallback callback, std::uint32_t bus, void* userData,
                                 QVErrorPtr* error) {
    const AURenderCallbackStruct value{callback, userData};
    QVErrorPtr failure;
    if (setBytes(&value, sizeof(value), kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input,
                 bus, &failure)) {
        return true;
    }
    return check(failure->code(),
                 fretkit::Bundle::main().localizedString("Setting the render callback"), error);
}

bool QVEffect::setRenderCallback(AURenderCallback callback, void* userData, QVErrorPtr* error) {
    return setRenderCallback(callback, 0, userData, error);
}

bool QVEffect::setInputCallback(AURenderCallback callback, void* userData, QVErrorPtr* error) {
    const AURenderCallbackStruct value{callback, userData};
    QVErrorPtr failure;
    if (setBytes(&value, sizeof(value), kAudioOutputUnitProperty_SetInputCallback,
                 kAudioUnitScope_Global, 0, &failure)) {
        return true;
    }
    return check(failure->code(), "Setting the input callback", error);
}

bool QVEffect::addRenderNotification(AURenderCallback callback, void* userData, QVErrorPtr* error) {
    AudioUnit* unit = audioUnit();
    return check(unit != nullptr ? unit->addRenderNotify(callback, userData)
                                 : kAudioUnitErr_Uninitialized,
                 "Adding a render notification", error);
}

bool QVEffect::removeRenderNotification(AURenderCallback callback, void* userData,
                                        QVErrorPtr* error) {
    AudioUnit* unit = audioUnit();
    return check(unit != nullptr ? unit->removeRenderNotify(callback, userData)
                                 : kAudioUnitErr_Uninitialized,
                 "Removing a render notification from", error);
}

bool QVEffect::setInputStreamFormat(const QVAudioStreamDescription& format, std::uint32_t bus) {
    return setObject(format, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, bus);
}

bool QVEffect::setOutputStreamFormat(const QVAudioStreamDescription& format, std::uint32_t bus) {
    return setObject(format, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, bus);
}

bool QVEffect::setStreamFormat(const QVAudioStreamDescription& format) {
    const bool input = setInputStreamFormat(format);
    const bool output = setOutputStreamFormat(format);
    return input && output;
}

std::unique_ptr<QVAudioStreamDescription> QVEffect::streamFormatForInput(bool input,
                                                                         std::uint32_t bus) const {
    QVErrorPtr error;
    auto format = QVAudioStreamDescription::descriptionWithAudioUnit(
        audioUnit(), input ? kAudioUnitScope_Input : kAudioUnitScope_Output, bus, &error);
    if (!format) {
        QVError::alert(error.get());
    }
    return format;
}

std::unique_ptr<QVAudioStreamDescription> QVEffect::inputStreamFormat() const {
    return streamFormatForInput(true, 0);
}

std::unique_ptr<QVAudioStreamDescription> QVEffect::outputStreamFormat() const {
    return streamFormatForInput(false, 0);
}

std::unique_ptr<QVAudioStreamDescription>
QVEffect::inputStreamFormatForBus(std::uint32_t bus) const {
    return streamFormatForInput(true, bus);
}

std::unique_ptr<QVAudioStreamDescription>
QVEffect::outputStreamFormatForBus(std::uint32_t bus) const {
    return streamFormatForInput(false, bus);
}

std::uint32_t QVEffect::inputBusCount() const {
    return unsignedIntValueForProperty(kAudioUnitProperty_ElementCount, kAudioUnitScope_Input);
}

std::uint32_t QVEffect::outputBusCount() const {
    return unsignedIntValueForProperty(kAudioUnitProperty_ElementCount, kAudioUnitScope_Output);
}

bool QVEffect::setInputBusCount(std::uint32_t count) {
    return setObject(count, kAudioUnitProperty_ElementCount, kAudioUnitScope_Input);
}

bool QVEffect::setOutputBusCount(std::uint32_t count) {
    return setObject(count, kAudioUnitProperty_ElementCount, kAudioUnitScope_Output);
}

std::uint32_t QVEffect::inputChannels() const {
    std::uint32_t channels = 0;
    for (std::uint32_t bus = 0; bus < inputBusCount(); ++bus) {
        if (auto format = inputStreamFormatForBus(bus)) {
            channels += format->channels();
        }
    }
    return channels;
}

std::uint32_t QVEffect::outputChannels() const {
    std::uint32_t channels = 0;
    for (std::uint32_t bus = 0; bus < outputBusCount(); ++bus) {
        if (auto format = outputStreamFormatForBus(bus)) {
            channels += format->channels();
        }
    }
    return channels;
}

namespace {

int supportedChannels(int wanted, int side, int other) {
    if (side == -1) {
        return wanted;
    }
    if (side == -2) {
        return other == -1 ? wanted : std::min(wanted, 2);
    }
    if (side < 0) {
        return std::min(wanted, -side);
    }
    return side;
}

} // namespace

int QVEffect::supportedInputChannels(int wanted) const {
    return supportedChannels(wanted, channelInfo_.inChannels, channelInfo_.outChannels);
}

int QVEffect::supportedOutputChannels(int wanted) const {
    return supportedChannels(wanted, channelInfo_.outChannels, channelInfo_.inChannels);
}

bool QVEffect::setup(QVErrorPtr* /*error*/) {
    if (stream_ == nullptr || !stream_->isOpen()) {
        return true;
    }
    QVErrorPtr ignored;
    const auto info = dataForProperty(kAudioUnitProperty_SupportedNumChannels,
                                      kAudioUnitScope_Global, 0, &ignored);
    if (info && info->size() >= sizeof(AUChannelInfo)) {
        std::memcpy(&channelInfo_, info->data(), sizeof(AUChannelInfo));
    }
    if (channelInfo_.inChannels > 0) {
        setInputStreamFormat(
            QVAudioStreamDescription(44100.0, static_cast<std::uint32_t>(channelInfo_.inChannels)));
    }
    if (channelInfo_.outChannels >= 1) {
        setOutputStreamFormat(QVAudioStreamDescription(
            44100.0, static_cast<std::uint32_t>(channelInfo_.outChannels)));
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> QVEffect::dataForProperty(AudioUnitPropertyID property,
                                                                   AudioUnitScope scope,
                                                                   AudioUnitElement element,
                                                                   QVErrorPtr* error) const {
    AudioUnit* unit = audioUnit();
    if (unit == nullptr) {
        if (error != nullptr) {
            error->reset();
        }
        return std::nullopt;
    }
    std::uint32_t size = 0;
    if (!check(unit->getPropertyInfo(property, scope, element, &size, nullptr),
               "Retrieving property info", error)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(size, 0);
    if (size == 0) {
        return data;
    }
    if (!check(unit->getProperty(property, scope, element, data.data(), &size),
               "Retrieving " + QVEffectError::propertyNameForCode(property), error)) {
        return std::nullopt;
    }
    return data;
}

std::optional<std::vector<std::uint8_t>> QVEffect::dataForProperty(AudioUnitPropertyID property,
                                                                   AudioUnitScope scope,
                                                                   AudioUnitElement element) const {
    QVErrorPtr error;
    auto data = dataForProperty(property, scope, element, &error);
    if (!data) {
        QVError::alert(error.get());
    }
    return data;
}

double QVEffect::doubleValueForProperty(AudioUnitPropertyID property, AudioUnitScope scope,
                                        AudioUnitElement element) const {
    return valueFrom<double>(dataForProperty(property, scope, element));
}

std::uint32_t QVEffect::unsignedIntValueForProperty(AudioUnitPropertyID property,
                                                    AudioUnitScope scope,
                                                    AudioUnitElement element) const {
    return valueFrom<std::uint32_t>(dataForProperty(property, scope, element));
}

bool QVEffect::boolValueForProperty(AudioUnitPropertyID property, AudioUnitScope scope,
                                    AudioUnitElement element) const {
    return (unsignedIntValueForProperty(property, scope, element) & 0xFF) != 0;
}

bool QVEffect::setObject(std::uint32_t number, AudioUnitPropertyID property, AudioUnitScope scope,
                         AudioUnitElement element) {
    return setBytesAlerting(&number, sizeof(number), property, scope, element);
}

bool QVEffect::setObject(const QVAudioStreamDescription& format, AudioUnitPropertyID property,
                         AudioUnitScope scope, AudioUnitElement element) {
    return setBytesAlerting(format.description(), sizeof(AudioStreamBasicDescription), property,
                            scope, element);
}

bool QVEffect::setObject(const std::vector<std::uint8_t>& data, AudioUnitPropertyID property,
                         AudioUnitScope scope, AudioUnitElement element) {
    return setBytesAlerting(data.data(), static_cast<std::uint32_t>(data.size()), property, scope,
                            element);
}

bool QVEffect::setBool(bool value, AudioUnitPropertyID property) {
    return setObject(std::uint32_t{value ? 1u : 0u}, property);
}

bool QVEffect::setUnsignedInt(std::uint32_t value, AudioUnitPropertyID property) {
    return setObject(value, property);
}

bool QVEffect::isPropertyAvailable(AudioUnitPropertyID property, AudioUnitScope scope,
                                   AudioUnitElement element) const {
    AudioUnit* unit = audioUnit();
    return unit != nullptr &&
           unit->getPropertyInfo(property, scope, element, nullptr, nullptr) == noErr;
}

bool QVEffect::isPropertyWritable(AudioUnitPropertyID property, AudioUnitScope scope,
                                  AudioUnitElement element) const {
    AudioUnit* unit = audioUnit();
    if (unit == nullptr) {
        return false;
    }
    bool writable = false;
    const OSStatus status = unit->getPropertyInfo(property, scope, element, nullptr, &writable);
    if (status == kAudioUnitErr_InvalidProperty) {
        return false;
    }
    if (status != noErr) {
        QVEffectError::errorWithCode(status, "Checking for writable property")->alert();
        return false;
    }
    return writable;
}

float QVEffect::valueForParameter(AudioUnitParameterID parameter, AudioUnitScope scope,
                                  AudioUnitElement element) const {
    AudioUnit* unit = audioUnit();
    float value = 0.0f;
    const OSStatus status = unit != nullptr ? unit->getParameter(parameter, scope, element, &value)
                                            : kAudioUnitErr_Uninitialized;
    if (status != noErr) {
        QVEffectError::errorWithCode(
            status, fretkit::stringWithFormat("Retrieving parameter %u scope %u element %u",
                                              parameter, scope, element))
            ->alert();
        return 0.0f;
    }
    return value;
}

void QVEffect::setValue(float value, AudioUnitParameterID parameter, AudioUnitScope scope,
                        AudioUnitElement element) {
    AudioUnit* unit = audioUnit();
    const OSStatus status = unit != nullptr ? unit->setParameter(parameter, scope, element, value)
                                            : kAudioUnitErr_Uninitialized;
    if (status != noErr) {
        QVEffectError::errorWithCode(
            status, fretkit::stringWithFormat("Setting parameter %u scope %u element %u", parameter,
                                              scope, element))
            ->alert();
    }
}

bool QVEffect::enabled() const {
    if (!isPropertyAvailable(kAudioUnitProperty_BypassEffect)) {
        return true;
    }
    return !boolValueForProperty(kAudioUnitProperty_BypassEffect);
}

void QVEffect::setEnabled(bool enabled) {
    if (stream_ == nullptr ||
        !isPropertyWritable(kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0) ||
        enabled == this->enabled()) {
        return;
    }
    setBool(!enabled, kAudioUnitProperty_BypassEffect);
    fretkit::NotificationCenter::defaultCenter().postNotification("bypassChanged");
}

double QVEffect::tailTime() const {
    return enabled() && isPropertyAvailable(kAudioUnitProperty_TailTime)
               ? doubleValueForProperty(kAudioUnitProperty_TailTime)
               : 0.0;
}

double QVEffect::latency() const {
    return enabled() && isPropertyAvailable(kAudioUnitProperty_Latency)
               ? doubleValueForProperty(kAudioUnitProperty_Latency)
               : 0.0;
}
