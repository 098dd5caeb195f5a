#pragma once

#include <cstddef>
#include <cstdint>

namespace fretkit::host {

// The plain data types and numeric codes of the audio services the kit sits on: buffer lists,
// stream descriptions, time stamps, component descriptions, and the status, property, scope and
// flag numbers. Their layouts and values are the ones the kit's error tables and format rules
// are written against.

using OSStatus = std::int32_t;
using AudioUnitPropertyID = std::uint32_t;
using AudioUnitScope = std::uint32_t;
using AudioUnitElement = std::uint32_t;
using AudioUnitParameterID = std::uint32_t;
using AudioUnitParameterValue = float;
using AudioUnitRenderActionFlags = std::uint32_t;
using AudioFormatID = std::uint32_t;
using AudioFormatFlags = std::uint32_t;
using AUNode = std::int32_t;

constexpr OSStatus noErr = 0;

struct AudioBuffer {
    std::uint32_t mNumberChannels;
    std::uint32_t mDataByteSize;
    void* mData;
};

// A count followed by that many buffers. Lists are allocated with room for mNumberBuffers
// entries (audioBufferListSize); reach them through audioBufferAt().
struct AudioBufferList {
    std::uint32_t mNumberBuffers;
    AudioBuffer mBuffers[1];
};

constexpr std::size_t audioBufferListSize(std::uint32_t count) {
    return offsetof(AudioBufferList, mBuffers) + sizeof(AudioBuffer) * count;
}

inline AudioBuffer& audioBufferAt(AudioBufferList& list, std::uint32_t index) {
    return *(&list.mBuffers[0] + index);
}

inline const AudioBuffer& audioBufferAt(const AudioBufferList& list, std::uint32_t index) {
    return *(&list.mBuffers[0] + index);
}

struct AudioStreamBasicDescription {
    double mSampleRate;
    AudioFormatID mFormatID;
    AudioFormatFlags mFormatFlags;
    std::uint32_t mBytesPerPacket;
    std::uint32_t mFramesPerPacket;
    std::uint32_t mBytesPerFrame;
    std::uint32_t mChannelsPerFrame;
    std::uint32_t mBitsPerChannel;
    std::uint32_t mReserved;
};

struct SMPTETime {
    std::int16_t mSubframes;
    std::int16_t mSubframeDivisor;
    std::uint32_t mCounter;
    std::uint32_t mType;
    std::uint32_t mFlags;
    std::int16_t mHours;
    std::int16_t mMinutes;
    std::int16_t mSeconds;
    std::int16_t mFrames;
};

struct AudioTimeStamp {
    double mSampleTime;
    std::uint64_t mHostTime;
    double mRateScalar;
    std::uint64_t mWordClockTime;
    SMPTETime mSMPTETime;
    std::uint32_t mFlags;
    std::uint32_t mReserved;
};

constexpr std::uint32_t kAudioTimeStampSampleTimeValid = 1;
constexpr std::uint32_t kAudioTimeStampHostTimeValid = 2;

struct AudioComponentDescription {
    std::uint32_t componentType;
    std::uint32_t componentSubType;
    std::uint32_t componentManufacturer;
    std::uint32_t componentFlags;
    std::uint32_t componentFlagsMask;
};

struct AUChannelInfo {
    std::int16_t inChannels;
    std::int16_t outChannels;
};

using AURenderCallback = OSStatus (*)(void* inRefCon, AudioUnitRenderActionFlags* ioActionFlags,
                                      const AudioTimeStamp* inTimeStamp, std::uint32_t inBusNumber,
                                      std::uint32_t inNumberFrames, AudioBufferList* ioData);

struct AURenderCallbackStruct {
    AURenderCallback inputProc;
    void* inputProcRefCon;
};

// Four-character codes as unsigned numbers, first character in the most significant byte.
constexpr std::uint32_t fourCC(const char (&code)[5]) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(code[i]);
    }
    return value;
}

// Formats.
constexpr AudioFormatID kAudioFormatLinearPCM = fourCC("lpcm");
constexpr AudioFormatFlags kAudioFormatFlagIsFloat = 0x1;
constexpr AudioFormatFlags kAudioFormatFlagIsBigEndian = 0x2;
constexpr AudioFormatFlags kAudioFormatFlagIsSignedInteger = 0x4;
constexpr AudioFormatFlags kAudioFormatFlagIsPacked = 0x8;
constexpr AudioFormatFlags kAudioFormatFlagIsNonInterleaved = 0x20;
constexpr AudioFormatFlags kLinearPCMFormatFlagsSampleFractionShift = 7;
constexpr AudioFormatFlags kLinearPCMFormatFlagsSampleFractionMask = 0x3F << 7;

// The canonical audio-unit format: linear PCM, signed 8.24 fixed point, packed,
// non-interleaved.
constexpr AudioStreamBasicDescription canonicalAudioUnitFormat(double rate,
                                                               std::uint32_t channels) {
    return {rate,
            kAudioFormatLinearPCM,
            kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked |
                kAudioFormatFlagIsNonInterleaved |
                (24u << kLinearPCMFormatFlagsSampleFractionShift),
            4,
            1,
            4,
            channels,
            32,
            0};
}

// Render action flags.
constexpr AudioUnitRenderActionFlags kAudioUnitRenderAction_PreRender = 4;
constexpr AudioUnitRenderActionFlags kAudioUnitRenderAction_PostRender = 8;
constexpr AudioUnitRenderActionFlags kAudioUnitRenderAction_OutputIsSilence = 16;

// Scopes.
constexpr AudioUnitScope kAudioUnitScope_Global = 0;
constexpr AudioUnitScope kAudioUnitScope_Input = 1;
constexpr AudioUnitScope kAudioUnitScope_Output = 2;

// Audio unit properties.
constexpr AudioUnitPropertyID kAudioUnitProperty_StreamFormat = 8;
constexpr AudioUnitPropertyID kAudioUnitProperty_ElementCount = 11;
constexpr AudioUnitPropertyID kAudioUnitProperty_Latency = 12;
constexpr AudioUnitPropertyID kAudioUnitProperty_SupportedNumChannels = 13;
constexpr AudioUnitPropertyID kAudioUnitProperty_MaximumFramesPerSlice = 14;
constexpr AudioUnitPropertyID kAudioUnitProperty_TailTime = 20;
constexpr AudioUnitPropertyID kAudioUnitProperty_BypassEffect = 21;
constexpr AudioUnitPropertyID kAudioUnitProperty_SetRenderCallback = 23;
constexpr AudioUnitPropertyID kAudioUnitProperty_RenderQuality = 26;
constexpr AudioUnitPropertyID kAudioOutputUnitProperty_EnableIO = 2003;
constexpr AudioUnitPropertyID kAudioOutputUnitProperty_SetInputCallback = 2005;

// Mixer parameters (input scope, one element per bus).
constexpr AudioUnitParameterID kMultiChannelMixerParam_Volume = 0;
constexpr AudioUnitParameterID kMultiChannelMixerParam_Enable = 1;

// Components. Every unit is made by this host, which says so with its own manufacturer code.
constexpr std::uint32_t kAudioUnitManufacturer_Host = fourCC("host");
constexpr std::uint32_t kAudioUnitType_Output = fourCC("auou");
constexpr std::uint32_t kAudioUnitSubType_RemoteIO = fourCC("rioc");
constexpr std::uint32_t kAudioUnitType_Mixer = fourCC("aumx");
constexpr std::uint32_t kAudioUnitSubType_MultiChannelMixer = fourCC("mcmx");
constexpr std::uint32_t kAudioUnitType_FormatConverter = fourCC("aufc");
constexpr std::uint32_t kAudioUnitSubType_AUConverter = fourCC("conv");

// Statuses.
constexpr OSStatus kAudio_ParamError = -50;
constexpr OSStatus kAudioComponentErr_NotFound = -2005;
constexpr OSStatus kAudioUnitErr_InvalidProperty = -10879;
constexpr OSStatus kAudioUnitErr_InvalidParameter = -10878;
constexpr OSStatus kAudioUnitErr_InvalidElement = -10877;
constexpr OSStatus kAudioUnitErr_NoConnection = -10876;
constexpr OSStatus kAudioUnitErr_FailedInitialization = -10875;
constexpr OSStatus kAudioUnitErr_TooManyFramesToProcess = -10874;
constexpr OSStatus kAudioUnitErr_FormatNotSupported = -10868;
constexpr OSStatus kAudioUnitErr_Uninitialized = -10867;
constexpr OSStatus kAudioUnitErr_InvalidScope = -10866;
constexpr OSStatus kAudioUnitErr_PropertyNotWritable = -10865;
constexpr OSStatus kAudioUnitErr_CannotDoInCurrentContext = -10863;
constexpr OSStatus kAudioUnitErr_InvalidPropertyValue = -10851;
constexpr OSStatus kAUGraphErr_InvalidAudioUnit = -10864;
constexpr OSStatus kAUGraphErr_OutputNodeErr = -10862;
constexpr OSStatus kAUGraphErr_InvalidConnection = -10861;
constexpr OSStatus kAUGraphErr_NodeNotFound = -10860;

} // namespace fretkit::host
