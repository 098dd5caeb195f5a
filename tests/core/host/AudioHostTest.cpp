#include "audio/QVEffectError.h"
#include "audio/QVFormatterEffect.h"
#include "audio/QVMixerEffect.h"
#include "audio/QVStream.h"
#include "host/AudioProcessingGraph.h"
#include "host/MultiChannelMixerUnit.h"
#include "host/SampleCodec.h"
#include "support/AudioTestSupport.h"

#include <gtest/gtest.h>
#include <vector>

using namespace fretkit::host;

namespace {

AudioStreamBasicDescription format(AudioFormatFlags flags, std::uint32_t bits,
                                   std::uint32_t channels) {
    AudioStreamBasicDescription f{};
    f.mSampleRate = 44100.0;
    f.mFormatID = kAudioFormatLinearPCM;
    f.mFormatFlags = flags;
    f.mBitsPerChannel = bits;
    f.mChannelsPerFrame = channels;
    f.mFramesPerPacket = 1;
    const bool planar = (flags & kAudioFormatFlagIsNonInterleaved) != 0;
    f.mBytesPerFrame = f.mBytesPerPacket = bits / 8 * (planar ? 1 : channels);
    return f;
}

const AudioFormatFlags kInt16 =
    kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked | kAudioFormatFlagIsNonInterleaved;
const AudioFormatFlags kFixed824 = kInt16 | (24u << kLinearPCMFormatFlagsSampleFractionShift);

} // namespace

// Sixteen-bit samples survive the trip through 8.24 fixed point and floats unchanged, at the
// extremes too; floats beyond full scale saturate.
TEST(SampleCodec, SixteenBitSamplesRoundTripExactly) {
    std::vector<std::int16_t> samples = {-32768, -32767, -1, 0, 1, 12345, 32767};
    const auto n = static_cast<std::uint32_t>(samples.size());
    AudioBufferList in{1, {{1, n * 2, samples.data()}}};
    std::vector<float> planar(n);
    float* channels[] = {planar.data()};
    SampleCodec::decode(format(kInt16, 16, 1), in, n, channels);

    std::vector<std::int32_t> fixed(n);
    AudioBufferList mid{1, {{1, n * 4, fixed.data()}}};
    SampleCodec::encode(format(kFixed824, 32, 1), mid, n, channels);
    EXPECT_EQ(fixed[6], 32767 * 512);
    SampleCodec::decode(format(kFixed824, 32, 1), mid, n, channels);

    std::vector<std::int16_t> back(n);
    AudioBufferList out{1, {{1, n * 2, back.data()}}};
    SampleCodec::encode(format(kInt16, 16, 1), out, n, channels);
    EXPECT_EQ(back, samples);

    planar = {2.0f, -2.0f, 0.5f, 0, 0, 0, 0};
    SampleCodec::encode(format(kInt16, 16, 1), out, n, channels);
    EXPECT_EQ(back[0], 32767);
    EXPECT_EQ(back[1], -32768);
    EXPECT_EQ(back[2], 16384);
}

TEST(AudioProcessingGraph, RefusesASecondOutputUnitUnknownNodesAndDoubleFeeds) {
    std::unique_ptr<AudioProcessingGraph> graph;
    ASSERT_EQ(AudioProcessingGraph::create(graph), noErr);
    const AudioComponentDescription io{kAudioUnitType_Output, kAudioUnitSubType_RemoteIO,
                                       kAudioUnitManufacturer_Host, 0, 0};
    const AudioComponentDescription mixer{kAudioUnitType_Mixer, kAudioUnitSubType_MultiChannelMixer,
                                          kAudioUnitManufacturer_Host, 0, 0};
    const AudioComponentDescription unknown{fourCC("aufx"), fourCC("dely"),
                                            kAudioUnitManufacturer_Host, 0, 0};
    AUNode a = 0;
    AUNode b = 0;
    AUNode c = 0;
    installOfflineDevice();
    ASSERT_EQ(graph->addNode(io, &a), noErr);
    EXPECT_EQ(graph->addNode(io, &b), kAUGraphErr_OutputNodeErr);
    ASSERT_EQ(graph->addNode(mixer, &b), noErr);
    ASSERT_EQ(graph->addNode(mixer, &c), noErr);
    EXPECT_EQ(graph->connectNodeInput(b, 0, 99, 0), kAUGraphErr_NodeNotFound);
    ASSERT_EQ(graph->connectNodeInput(b, 0, a, 0), noErr);
    EXPECT_EQ(graph->connectNodeInput(c, 0, a, 0), kAUGraphErr_InvalidConnection);
    EXPECT_EQ(graph->start(), kAudioUnitErr_Uninitialized);
    ASSERT_EQ(graph->open(), noErr);
    ASSERT_EQ(graph->removeNode(c), noErr);
    ASSERT_EQ(graph->initialize(), noErr);
    EXPECT_EQ(graph->removeNode(b), kAudioUnitErr_CannotDoInCurrentContext);

    AUNode d = 0;
    ASSERT_EQ(graph->addNode(unknown, &d), kAudioComponentErr_NotFound);
}

TEST(AudioProcessingGraph, MixerAddsEnabledBusesAtTheirVolumeAndBroadcastsMono) {
    installOfflineDevice();
    MultiChannelMixerUnit mixer;
    std::uint32_t buses = 2;
    ASSERT_EQ(mixer.setProperty(kAudioUnitProperty_ElementCount, kAudioUnitScope_Input, 0, &buses,
                                sizeof(buses)),
              noErr);
    const AudioStreamBasicDescription mono = format(kInt16, 16, 1);
    const AudioStreamBasicDescription stereo = format(kInt16, 16, 2);
    mixer.setProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, &mono,
                      sizeof(mono));
    mixer.setProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 1, &stereo,
                      sizeof(stereo));
    mixer.setProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0, &stereo,
                      sizeof(stereo));
    const AURenderCallback constant = [](void* value, AudioUnitRenderActionFlags*,
                                         const AudioTimeStamp*, std::uint32_t, std::uint32_t frames,
                                         AudioBufferList* data) -> OSStatus {
        for (std::uint32_t b = 0; b < data->mNumberBuffers; ++b) {
            auto* samples = static_cast<std::int16_t*>(audioBufferAt(*data, b).mData);
            std::fill(samples, samples + frames, *static_cast<std::int16_t*>(value));
        }
        return noErr;
    };
    std::int16_t first = 1000;
    std::int16_t second = 300;
    AURenderCallbackStruct feedFirst{constant, &first};
    AURenderCallbackStruct feedSecond{constant, &second};
    mixer.setProperty(kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, &feedFirst,
                      sizeof(feedFirst));
    mixer.setProperty(kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 1, &feedSecond,
                      sizeof(feedSecond));
    ASSERT_EQ(mixer.initialize(), noErr);
    mixer.setParameter(kMultiChannelMixerParam_Volume, kAudioUnitScope_Input, 0, 0.5f);

    std::vector<std::int16_t> left(8);
    std::vector<std::int16_t> right(8);
    BufferListOver out({left.data(), right.data()}, 16);
    AudioBufferList* list = &out.list();
    AudioTimeStamp stamp{};
    AudioUnitRenderActionFlags flags = 0;
    ASSERT_EQ(mixer.render(&flags, &stamp, 0, 8, list), noErr);
    EXPECT_EQ(left[7], 800);
    EXPECT_EQ(right[0], 800);

    mixer.setParameter(kMultiChannelMixerParam_Enable, kAudioUnitScope_Input, 1, 0.0f);
    ASSERT_EQ(mixer.render(&flags, &stamp, 0, 8, list), noErr);
    EXPECT_EQ(right[3], 500);
    EXPECT_EQ(mixer.render(&flags, &stamp, 0, 5000, list), kAudioUnitErr_TooManyFramesToProcess);
}

TEST(QVEffect, PropertiesReportFailuresAndStandAloneUnitsWork) {
    installOfflineDevice();
    AlertRecorder alerts;
    QVFormatterEffect formatter;
    // Not in a stream, not opened: writes succeed without doing anything.
    EXPECT_TRUE(formatter.setStreamFormat(QVAudioStreamDescription()));
    EXPECT_FALSE(formatter.dataForProperty(kAudioUnitProperty_StreamFormat));

    ASSERT_TRUE(formatter.open());
    formatter.setQuality(1.0f);
    EXPECT_FLOAT_EQ(formatter.quality(), 1.0f);
    formatter.setQuality(0.5f);
    EXPECT_EQ(formatter.unsignedIntValueForProperty(kAudioUnitProperty_RenderQuality), 63u);
    EXPECT_TRUE(formatter.enabled()); // no bypass property
    EXPECT_EQ(formatter.latency(), 0.0);
    EXPECT_FALSE(
        formatter.isPropertyWritable(kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0));
    EXPECT_TRUE(alerts.alerts.empty());

    QVErrorPtr error;
    EXPECT_FALSE(formatter.dataForProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Global,
                                           0, &error));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->localizedDescription(),
              "Retrieving property info failed because the Audio Unit scope was invalid.");
    formatter.setObject(std::uint32_t{2}, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].message,
              "Applying the stream format to the input scope failed because there was an error "
              "in the user parameter list.");
    EXPECT_EQ(formatter.valueForParameter(0), 0.0f);
    EXPECT_EQ(alerts.alerts.back().message.rfind("Retrieving parameter 0 scope 0 element 0", 0),
              0u);

    QVEffect plain({0, 0, 0, 0, 0});
    plain.setChannelInfo({-1, -2});
    EXPECT_EQ(plain.supportedInputChannels(6), 6);
    EXPECT_EQ(plain.supportedOutputChannels(6), 6);
    plain.setChannelInfo({-2, 4});
    EXPECT_EQ(plain.supportedInputChannels(6), 2);
    EXPECT_EQ(plain.supportedOutputChannels(6), 4);
    plain.setChannelInfo({-3, -8});
    EXPECT_EQ(plain.supportedInputChannels(6), 3);
}

TEST(QVStream, GuardsMakeRepeatsHarmlessAndMissingGraphsVisible) {
    installOfflineDevice();
    QVStream stream;
    QVErrorPtr error;
    EXPECT_FALSE(stream.start(&error));
    EXPECT_FALSE(error);
    EXPECT_TRUE(stream.stop(&error));
    ASSERT_TRUE(stream.create());
    QVMixerEffect mixer;
    ASSERT_TRUE(stream.addEffect(mixer));
    ASSERT_TRUE(stream.open());
    EXPECT_TRUE(stream.open());
    ASSERT_TRUE(stream.componentDataForEffect(mixer));
    EXPECT_EQ(stream.componentDataForEffect(mixer)->size(), 20u);
    EXPECT_NE(stream.audioUnitForEffect(mixer), nullptr);
    ASSERT_TRUE(stream.removeEffect(mixer));
    EXPECT_EQ(mixer.stream(), nullptr);
    EXPECT_EQ(mixer.audioUnit(), nullptr);
    EXPECT_FALSE(stream.removeEffect(mixer, &error));
    EXPECT_EQ(error->localizedDescription(), "Removing failed because the node was not found.");
    ASSERT_TRUE(stream.destroy());
    EXPECT_FALSE(stream.isOpen());
}
