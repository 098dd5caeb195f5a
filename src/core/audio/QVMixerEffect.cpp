#include "QVMixerEffect.h"

using namespace fretkit::host;

QVMixerEffect::QVMixerEffect()
    : QVEffect({kAudioUnitType_Mixer, kAudioUnitSubType_MultiChannelMixer,
                kAudioUnitManufacturer_Host, 0, 0}) {}

void QVMixerEffect::setVolume(float volume, std::uint32_t input) {
    setValue(volume, kMultiChannelMixerParam_Volume, kAudioUnitScope_Input, input);
}

float QVMixerEffect::volumeOfInput(std::uint32_t input) const {
    return valueForParameter(kMultiChannelMixerParam_Volume, kAudioUnitScope_Input, input);
}

void QVMixerEffect::setEnabled(bool enabled, std::uint32_t input) {
    setValue(enabled ? 1.0f : 0.0f, kMultiChannelMixerParam_Enable, kAudioUnitScope_Input, input);
}

bool QVMixerEffect::isInputEnabled(std::uint32_t input) const {
    return valueForParameter(kMultiChannelMixerParam_Enable, kAudioUnitScope_Input, input) != 0.0f;
}
