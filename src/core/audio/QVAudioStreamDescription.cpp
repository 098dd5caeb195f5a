#include "QVAudioStreamDescription.h"

#include "QVAudioStreamDescriptionError.h"
#include "host/AudioFormatServices.h"
#include "host/AudioUnit.h"

using namespace fretkit::host;

QVAudioStreamDescription::QVAudioStreamDescription()
    : description_(canonicalAudioUnitFormat(44100.0, 1)) {}

QVAudioStreamDescription::QVAudioStreamDescription(double rate, std::uint32_t channels)
    : QVAudioStreamDescription() {
    setRate(rate);
    setChannels(channels);
}

QVAudioStreamDescription::QVAudioStreamDescription(const AudioStreamBasicDescription& description)
    : description_(description) {}

std::unique_ptr<QVAudioStreamDescription>
QVAudioStreamDescription::descriptionWithAudioUnit(const AudioUnit* unit, AudioUnitScope scope,
                                                   AudioUnitElement element, QVErrorPtr* error) {
    AudioStreamBasicDescription read{};
    std::uint32_t size = sizeof(read);
    OSStatus status = unit != nullptr ? unit->getProperty(kAudioUnitProperty_StreamFormat, scope,
                                                          element, &read, &size)
                                      : kAudioUnitErr_Uninitialized;
    // Only the low 16 bits carry the status; a status whose low half is zero is a success.
    const auto low = static_cast<std::int16_t>(static_cast<std::uint32_t>(status) & 0xFFFF);
    if (low != 0) {
        if (error != nullptr) {
            *error = QVAudioStreamDescriptionError::errorWithCode(
                low, "Getting an audio stream description");
        }
        return nullptr;
    }
    return std::make_unique<QVAudioStreamDescription>(read);
}

void QVAudioStreamDescription::setRange(std::uint32_t bits) {
    description_.mBitsPerChannel = bits;
    const std::uint32_t bytes = (description_.mFormatFlags & kAudioFormatFlagIsNonInterleaved) != 0
                                    ? bits / 8
                                    : description_.mChannelsPerFrame * (bits / 8);
    description_.mBytesPerPacket = bytes;
    description_.mBytesPerFrame = bytes;
}

void QVAudioStreamDescription::clear() {
    description_ = AudioStreamBasicDescription{};
}

void QVAudioStreamDescription::complete() {
    const OSStatus status = AudioFormatServices::formatInfo(description_);
    if (status != noErr) {
        QVAudioStreamDescriptionError::errorWithCode(status, "Completing the audio description")
            ->alert();
    }
}

std::string QVAudioStreamDescription::name() const {
    std::string name;
    const OSStatus status = AudioFormatServices::formatName(description_, name);
    if (status != noErr) {
        QVAudioStreamDescriptionError::errorWithCode(status,
                                                     "Retrieving the audio description name")
            ->alert();
        return {};
    }
    return name;
}

bool QVAudioStreamDescription::isEqualToDescription(const QVAudioStreamDescription& other) const {
    const AudioStreamBasicDescription& a = description_;
    const AudioStreamBasicDescription& b = other.description_;
    return a.mSampleRate == b.mSampleRate && a.mFormatID == b.mFormatID &&
           a.mFormatFlags == b.mFormatFlags && a.mBytesPerPacket == b.mBytesPerPacket &&
           a.mFramesPerPacket == b.mFramesPerPacket && a.mBytesPerFrame == b.mBytesPerFrame &&
           a.mChannelsPerFrame == b.mChannelsPerFrame && a.mBitsPerChannel == b.mBitsPerChannel;
}
