#include "host/AudioFormatServices.h"
#include "host/AudioSessionService.h"
#include "host/FormatConverterUnit.h"
#include "host/HostFaults.h"
#include "support/AudioTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace fretkit::host;

namespace {

// Records each notification's flags; optionally marks the output silent after rendering.
struct NotificationLog {
    std::string calls;
    static OSStatus record(void* self, AudioUnitRenderActionFlags* flags, const AudioTimeStamp*,
                           std::uint32_t bus, std::uint32_t, AudioBufferList*) {
        auto& log = *static_cast<NotificationLog*>(self);
        log.calls += (*flags & kAudioUnitRenderAction_PreRender) != 0    ? "pre"
                     : (*flags & kAudioUnitRenderAction_PostRender) != 0 ? "post"
                                                                         : "?";
        log.calls += std::to_string(bus) + ";";
        return noErr;
    }
    static OSStatus source(void* self, AudioUnitRenderActionFlags*, const AudioTimeStamp*,
                           std::uint32_t, std::uint32_t frames, AudioBufferList* data) {
        static_cast<NotificationLog*>(self)->calls += "render;";
        auto* samples = static_cast<std::int32_t*>(audioBufferAt(*data, 0).mData);
        std::fill(samples, samples + frames, 1 << 23); // 0.5 in 8.24
        return noErr;
    }
};

AudioStreamBasicDescription floatFormat(std::uint32_t channels) {
    AudioStreamBasicDescription f{};
    f.mSampleRate = 44100.0;
    f.mFormatID = kAudioFormatLinearPCM;
    f.mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked;
    f.mChannelsPerFrame = channels;
    f.mBitsPerChannel = 32;
    f.mFramesPerPacket = 1;
    f.mBytesPerFrame = f.mBytesPerPacket = 4 * channels;
    return f;
}

} // namespace

TEST(AudioUnit, NotificationsBracketEachRenderAndConversionFollowsTheFormats) {
    FormatConverterUnit unit;
    NotificationLog log;
    const AudioStreamBasicDescription mono = canonicalAudioUnitFormat(44100.0, 1);
    const AudioStreamBasicDescription interleaved = floatFormat(2);
    ASSERT_EQ(unit.setProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, &mono,
                               sizeof(mono)),
              noErr);
    ASSERT_EQ(unit.setProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0,
                               &interleaved, sizeof(interleaved)),
              noErr);
    AURenderCallbackStruct callback{&NotificationLog::source, &log};
    ASSERT_EQ(unit.setProperty(kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0,
                               &callback, sizeof(callback)),
              noErr);
    ASSERT_EQ(unit.addRenderNotify(&NotificationLog::record, &log), noErr);
    AudioTimeStamp stamp{};
    AudioUnitRenderActionFlags flags = 0;
    std::vector<float> out(16, 0.0f);
    AudioBufferList list{1, {{2, 64, out.data()}}};
    EXPECT_EQ(unit.render(&flags, &stamp, 0, 8, &list), kAudioUnitErr_Uninitialized);
    ASSERT_EQ(unit.initialize(), noErr);
    ASSERT_EQ(unit.render(&flags, &stamp, 0, 8, &list), noErr);
    EXPECT_EQ(log.calls, "pre0;render;post0;");
    EXPECT_EQ(out[0], 0.5f);
    EXPECT_EQ(out[15], 0.5f); // the mono input fills both interleaved channels
    EXPECT_EQ(flags, 0u);     // the notifications' own flags do not leak out

    ASSERT_EQ(unit.removeRenderNotify(&NotificationLog::record, &log), noErr);
    log.calls.clear();
    ASSERT_EQ(unit.render(&flags, &stamp, 0, 8, &list), noErr);
    EXPECT_EQ(log.calls, "render;");
    // Formats are fixed once initialised; the rate must agree across the converter.
    EXPECT_EQ(unit.setProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, &mono,
                               sizeof(mono)),
              kAudioUnitErr_CannotDoInCurrentContext);
    unit.uninitialize();
    AudioStreamBasicDescription slower = mono;
    slower.mSampleRate = 22050.0;
    unit.setProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, &slower,
                     sizeof(slower));
    EXPECT_EQ(unit.initialize(), kAudioUnitErr_FormatNotSupported);
}

TEST(AudioUnit, PropertyQueriesNameTheProblem) {
    FormatConverterUnit unit;
    std::uint32_t size = 0;
    bool writable = true;
    EXPECT_EQ(unit.getPropertyInfo(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Global, 0,
                                   &size, &writable),
              kAudioUnitErr_InvalidScope);
    EXPECT_EQ(unit.getPropertyInfo(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 3, &size,
                                   &writable),
              kAudioUnitErr_InvalidElement);
    EXPECT_EQ(unit.getPropertyInfo(kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0,
                                   &size, &writable),
              kAudioUnitErr_InvalidProperty);
    ASSERT_EQ(unit.getPropertyInfo(kAudioUnitProperty_TailTime, kAudioUnitScope_Global, 0, &size,
                                   &writable),
              noErr);
    EXPECT_EQ(size, 8u);
    EXPECT_FALSE(writable);
    const std::uint32_t count = 3;
    EXPECT_EQ(unit.setProperty(kAudioUnitProperty_ElementCount, kAudioUnitScope_Input, 0, &count,
                               sizeof(count)),
              kAudioUnitErr_PropertyNotWritable);
    AudioStreamBasicDescription odd = canonicalAudioUnitFormat(44100.0, 1);
    odd.mBitsPerChannel = 24;
    EXPECT_EQ(unit.setProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, &odd,
                               sizeof(odd)),
              kAudioUnitErr_FormatNotSupported);
    const std::uint16_t shortValue = 1;
    EXPECT_EQ(unit.setProperty(kAudioUnitProperty_RenderQuality, kAudioUnitScope_Global, 0,
                               &shortValue, sizeof(shortValue)),
              kAudio_ParamError);
}

TEST(AudioSessionService, UnknownPropertiesWrongSizesAndFaults) {
    installOfflineDevice();
    AudioSessionService::initialize(nullptr, nullptr); // the first test to ask initialises
    EXPECT_EQ(AudioSessionService::initialize(nullptr, nullptr),
              AudioSessionService::kAlreadyInitialized);
    std::uint32_t size = 0;
    EXPECT_EQ(AudioSessionService::getPropertySize(fourCC("zzzz"), &size),
              AudioSessionService::kUnsupportedProperty);
    const std::uint16_t small = 1;
    EXPECT_EQ(
        AudioSessionService::setProperty(AudioSessionService::kCategory, sizeof(small), &small),
        AudioSessionService::kBadPropertySize);
    std::uint32_t channels = 0;
    size = 2;
    EXPECT_EQ(
        AudioSessionService::getProperty(AudioSessionService::kOutputChannels, &size, &channels),
        AudioSessionService::kBadPropertySize);
    size = 4;
    ASSERT_EQ(
        AudioSessionService::getProperty(AudioSessionService::kOutputChannels, &size, &channels),
        noErr);
    EXPECT_EQ(channels, 2u);

    HostFaults::failCall(HostCall::SessionGetProperty, 2, -1, AudioSessionService::kRoute);
    char route[64];
    size = sizeof(route);
    EXPECT_EQ(AudioSessionService::getProperty(AudioSessionService::kRoute, &size, route), noErr);
    size = sizeof(route);
    EXPECT_EQ(AudioSessionService::getProperty(AudioSessionService::kRoute, &size, route), -1);
    size = sizeof(route);
    EXPECT_EQ(AudioSessionService::getProperty(AudioSessionService::kRoute, &size, route), noErr);
    HostFaults::reset();
}

TEST(AudioFormatServices, CompletesAndNamesLinearPcmOnly) {
    AudioStreamBasicDescription d{};
    d.mFormatID = kAudioFormatLinearPCM;
    d.mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked;
    d.mChannelsPerFrame = 2;
    d.mBitsPerChannel = 32;
    d.mSampleRate = 48000.0;
    ASSERT_EQ(AudioFormatServices::formatInfo(d), noErr);
    EXPECT_EQ(d.mBytesPerFrame, 8u);
    EXPECT_EQ(d.mBytesPerPacket, 8u);
    std::string name;
    ASSERT_EQ(AudioFormatServices::formatName(d, name), noErr);
    EXPECT_EQ(name, "32-bit float, 2 channels, interleaved, 48000 Hz");
    d.mBitsPerChannel = 0;
    d.mBytesPerFrame = 0;
    EXPECT_EQ(AudioFormatServices::formatInfo(d), AudioFormatServices::kUnsupportedDataFormatError);
}
