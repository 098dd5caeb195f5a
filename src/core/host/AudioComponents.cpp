#include "AudioDeviceLayer.h"
#include "AudioUnit.h"
#include "FormatConverterUnit.h"
#include "MultiChannelMixerUnit.h"
#include "RemoteIOUnit.h"

namespace fretkit::host {

namespace {

bool matches(std::uint32_t wanted, std::uint32_t offered) {
    return wanted == 0 || wanted == offered;
}

} // namespace

OSStatus AudioComponents::instantiate(const AudioComponentDescription& wanted,
                                      std::unique_ptr<AudioUnit>& unit) {
    const auto is = [&](std::uint32_t type, std::uint32_t subType) {
        return matches(wanted.componentType, type) && matches(wanted.componentSubType, subType) &&
               matches(wanted.componentManufacturer, kAudioUnitManufacturer_Host);
    };
    if (is(kAudioUnitType_Output, kAudioUnitSubType_RemoteIO)) {
        unit = std::make_unique<RemoteIOUnit>(AudioDeviceLayer::current());
    } else if (is(kAudioUnitType_Mixer, kAudioUnitSubType_MultiChannelMixer)) {
        unit = std::make_unique<MultiChannelMixerUnit>();
    } else if (is(kAudioUnitType_FormatConverter, kAudioUnitSubType_AUConverter)) {
        unit = std::make_unique<FormatConverterUnit>();
    } else {
        return kAudioComponentErr_NotFound;
    }
    return noErr;
}

} // namespace fretkit::host
