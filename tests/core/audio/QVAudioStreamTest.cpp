#include "audio/QVAudioStream.h"

#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioTimeStamp.h"
#include "audio/QVEffectError.h"
#include "audio/QVFormatterEffect.h"
#include "audio/QVHardwareEffect.h"
#include "audio/QVMixerEffect.h"
#include "audio/QVStreamError.h"
#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"
#include "host/AudioFileWriter.h"
#include "host/SystemSounds.h"
#include "host/VirtualAudioDevice.h"
#include "support/AudioTestSupport.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace fretkit::host;

namespace {

// Writes a constant into every output sample and records the input it hears.
class ToneDelegate : public QVAudioStreamDelegate,
                     public QVAudioStreamRenderer,
                     public QVAudioStreamInput {
public:
    bool renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp& stamp) override {
        events.push_back('r');
        lastRenderSample = stamp.sample();
        for (std::uint32_t c = 0; c < buffer.numberOfChannels(); ++c) {
            for (std::uint32_t i = 0; i < buffer.frames(); ++i) {
                buffer.setSampleValue(value, i, c);
            }
        }
        return writes;
    }
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp&, bool stereo) override {
        events.push_back('i');
        heard.assign(buffer.channel(0), buffer.channel(0) + buffer.frames());
        inputChannels = buffer.numberOfChannels();
        lastStereo = stereo;
    }

    std::int16_t value = 1000;
    bool writes = true;
    std::string events;
    std::vector<std::int16_t> heard;
    std::uint32_t inputChannels = 0;
    bool lastStereo = true;
    double lastRenderSample = -1;
};

class QVAudioStreamTest : public ::testing::Test {
protected:
    void TearDown() override { HostFaults::reset(); }

    std::unique_ptr<QVAudioStream> build(QVAudioStreamDelegate* delegate) {
        QVErrorPtr error;
        auto stream = QVAudioStream::withDelegate(delegate, &error);
        EXPECT_TRUE(stream) << (error ? error->localizedDescription() : "no error");
        return stream;
    }

    AlertRecorder alerts;
};

std::unique_ptr<QVAudioBuffer> stereoBlock(std::vector<std::int16_t> left,
                                           std::vector<std::int16_t> right) {
    auto buffer = QVAudioBuffer::bufferWithChannels(2, static_cast<std::uint32_t>(left.size()));
    buffer->setSampleValues(left.data(), buffer->frames(), 0);
    buffer->setSampleValues(right.data(), buffer->frames(), 1);
    return buffer;
}

} // namespace

TEST_F(QVAudioStreamTest, WithInputTheGraphIsHardwareMixerFormatterInThatOrder) {
    installOfflineDevice(44100.0, 1, 2);
    ToneDelegate delegate;
    auto stream = build(&delegate);
    ASSERT_TRUE(stream);
    ASSERT_TRUE(stream->mixer() && stream->hardwareInputFormatter());
    EXPECT_EQ(stream->hardware()->node(), 1);
    EXPECT_EQ(stream->mixer()->node(), 2);
    EXPECT_EQ(stream->hardwareInputFormatter()->node(), 3);
    EXPECT_TRUE(stream->isInitialized());
    EXPECT_FALSE(stream->isRunning());

    // The 16-bit format: session rate, the hardware's channels, 2 bytes a frame.
    const QVAudioStreamDescription& s = stream->sampleFormat();
    EXPECT_EQ(s.flags(), 0x2Cu);
    EXPECT_EQ(s.channels(), 2u);
    EXPECT_EQ(s.bytesPerPacket(), 2u);
    EXPECT_TRUE(*stream->mixer()->inputStreamFormatForBus(0) == s);
    EXPECT_TRUE(*stream->mixer()->inputStreamFormatForBus(1) == s);
    EXPECT_TRUE(*stream->hardwareInputFormatter()->outputStreamFormat() == s);
    EXPECT_TRUE(*stream->hardwareInputFormatter()->inputStreamFormat() ==
                QVAudioStreamDescription(44100.0, 2));
    EXPECT_TRUE(*stream->mixer()->outputStreamFormat() == *stream->hardware()->inputStreamFormat());
    EXPECT_EQ(stream->mixer()->inputBusCount(), 2u);
    EXPECT_FLOAT_EQ(stream->mixer()->volumeOfInput(0), 0.00001f);
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(QVAudioStreamTest, OneCyclePullsTheMicrophoneThenRendersIntoTheDevice) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    ToneDelegate delegate;
    auto stream = build(&delegate);
    ASSERT_TRUE(stream && stream->start());
    EXPECT_TRUE(stream->isRunning());

    std::vector<float> mic(256, 0.5f);
    std::vector<float> out(512, -1.0f);
    ASSERT_TRUE(device.pump(256, mic.data(), out.data()));
    EXPECT_EQ(delegate.events, "ir"); // input first, within the same output cycle
    EXPECT_EQ(delegate.inputChannels, 2u);
    EXPECT_EQ(delegate.heard, std::vector<std::int16_t>(256, 16384));
    EXPECT_FALSE(delegate.lastStereo); // the mono microphone was copied to both sides
    // The delegate's 1000 plus the microphone at -100 dB, on both device channels.
    const float expected = 1000.0f + 16384.0f * 0.00001f;
    // Within the mix's 8.24 resolution (2^-24 of full scale).
    EXPECT_NEAR(out[0] * 32768.0f, expected, 0.005f);
    EXPECT_NEAR(out[511] * 32768.0f, expected, 0.005f);

    ASSERT_TRUE(device.pump(128, mic.data(), out.data()));
    EXPECT_EQ(delegate.events, "irir");
    EXPECT_EQ(delegate.lastRenderSample, 256.0);
    EXPECT_TRUE(stream->stop());
    EXPECT_FALSE(stream->isRunning());
    EXPECT_FALSE(device.pump(128));
}

TEST_F(QVAudioStreamTest, WithoutInputTheDelegateRendersTheHardwareDirectly) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 0, 2);
    ToneDelegate delegate;
    delegate.value = -32768;
    auto stream = build(&delegate);
    ASSERT_TRUE(stream);
    EXPECT_FALSE(stream->mixer());
    EXPECT_FALSE(stream->hardwareInputFormatter());
    EXPECT_TRUE(*stream->hardware()->inputStreamFormat() == stream->sampleFormat());
    stream->setPlaythrough(true);
    ASSERT_TRUE(stream->start());
    std::vector<float> out(64, 0.0f);
    ASSERT_TRUE(device.pump(32, nullptr, out.data()));
    EXPECT_EQ(delegate.events, "r");
    EXPECT_EQ(out[0], -1.0f);
    EXPECT_EQ(out[63], -1.0f);
}

TEST_F(QVAudioStreamTest, ADelegateThatWritesNothingIsHeardAsSilence) {
    for (std::uint32_t inputs : {0u, 1u}) {
        OfflineAudioDevice& device = installOfflineDevice(44100.0, inputs, 2);
        // Writes samples but says it wrote none: the silence flag must win.
        ToneDelegate liar;
        liar.writes = false;
        QVAudioStreamDelegate nothing;
        for (QVAudioStreamDelegate* delegate :
             {static_cast<QVAudioStreamDelegate*>(&liar), &nothing}) {
            auto stream = build(delegate);
            ASSERT_TRUE(stream && stream->start());
            std::vector<float> out(128, 0.5f);
            ASSERT_TRUE(device.pump(64, nullptr, out.data()));
            for (float sample : out) {
                ASSERT_EQ(sample, 0.0f) << "inputs " << inputs;
            }
        }
    }
}

TEST_F(QVAudioStreamTest, StereoTestCopiesOneSidedInputAndKeepsRealStereo) {
    installOfflineDevice(44100.0, 1, 2);
    ToneDelegate delegate;
    auto stream = build(&delegate);
    ASSERT_TRUE(stream);
    const QVAudioTimeStamp stamp;

    auto oneSided = stereoBlock({5, -6, 7}, {0, 0, 0});
    stream->input(*oneSided, stamp);
    EXPECT_FALSE(stream->stereo());
    EXPECT_EQ(oneSided->sampleValueAtIndex(1, 1), -6);

    // Equal samples are no evidence of stereo either.
    auto same = stereoBlock({5, -6, 7}, {5, 0, 7});
    stream->input(*same, stamp);
    EXPECT_FALSE(stream->stereo());

    auto lastDiffers = stereoBlock({1, 2, 3}, {1, 2, 4});
    stream->input(*lastDiffers, stamp);
    EXPECT_TRUE(stream->stereo());
    EXPECT_TRUE(delegate.lastStereo);
    EXPECT_EQ(lastDiffers->sampleValueAtIndex(2, 1), 4);

    auto mono = QVAudioBuffer::bufferWithChannels(1, 3);
    mono->setSampleValue(9, 0);
    stream->input(*mono, stamp);
    EXPECT_FALSE(stream->stereo());
    EXPECT_EQ(mono->sampleValueAtIndex(0), 9);
    EXPECT_EQ(mono->numberOfChannels(), 1u);
}

TEST_F(QVAudioStreamTest, PlaythroughIsHeardOnlyWithHeadphones) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    ToneDelegate delegate;
    auto stream = build(&delegate);
    ASSERT_TRUE(stream);
    stream->setPlaythrough(true);
    EXPECT_FLOAT_EQ(stream->mixer()->volumeOfInput(0), 0.00001f);
    device.setRoute("(none)");
    EXPECT_FALSE(stream->usingHeadphones());
    device.setRoute("headphones");
    EXPECT_FALSE(stream->usingHeadphones()); // the match is case-sensitive
    device.setRoute("HeadsetInOut");
    stream->audioSessionRouteDidChangeTo("HeadsetInOut", {}, 1);
    EXPECT_FLOAT_EQ(stream->mixer()->volumeOfInput(0), 1.0f);
    stream->setPlaythrough(false);
    EXPECT_FLOAT_EQ(stream->mixer()->volumeOfInput(0), 0.00001f);
}

// A main thread that takes the render lock never sees a cycle half done: the input of a cycle
// and its render happen together, inside one hold of the lock.
TEST_F(QVAudioStreamTest, RenderLockCoversTheWholeCycle) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    struct HalfCycleDelegate : QVAudioStreamDelegate, QVAudioStreamRenderer, QVAudioStreamInput {
        void input(QVAudioBuffer&, const QVAudioTimeStamp&, bool) override { half.store(true); }
        bool renderAudioToBuffer(QVAudioBuffer&, const QVAudioTimeStamp&) override {
            half.store(false);
            return false;
        }
        std::atomic<bool> half{false};
    } delegate;
    auto stream = build(&delegate);
    ASSERT_TRUE(stream && stream->start());
    // The audio thread runs at least 1000 cycles and goes on until the main thread has looked
    // 200 times, however the two threads are scheduled: no cycle is ever seen half done.
    std::atomic<bool> done{false};
    std::atomic<int> observed{0};
    std::thread audio([&] {
        for (int i = 0; i < 1000 || observed.load() < 200; ++i) {
            device.pump(64);
        }
        done.store(true);
    });
    while (!done.load()) {
        std::lock_guard lock(stream->renderLock());
        EXPECT_FALSE(delegate.half.load());
        observed.fetch_add(1);
    }
    audio.join();
    EXPECT_GE(observed.load(), 200);
}

TEST_F(QVAudioStreamTest, ADeviceThatFailsIsReportedOnceAndTheStreamCanStartAgain) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    ToneDelegate delegate;
    auto stream = build(&delegate);
    ASSERT_TRUE(stream && stream->start());
    device.fail(-9999, "the device went away");
    device.fail(-9999, "the device went away");
    fretkit::MainThread::defaultQueue().pump();
    EXPECT_FALSE(stream->isRunning());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_NE(alerts.alerts[0].message.find("the device went away"), std::string::npos);
    EXPECT_TRUE(stream->start());
    EXPECT_TRUE(device.pump(16));
}

TEST_F(QVAudioStreamTest, ShowsTheDropoutsItsDeviceCounts) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    ToneDelegate delegate;
    auto stream = build(&delegate);
    ASSERT_TRUE(stream);
    device.countUnderrun();
    device.countOverrun();
    device.countOverrun();
    EXPECT_EQ(stream->underrunCount(), 1u);
    EXPECT_EQ(stream->overrunCount(), 2u);
}

// --- Forced failures: every build step that can fail ends the build with its own error. ---

struct BuildFailure {
    const char* name;
    HostCall call;
    int occurrence;
    std::uint32_t detail;
    bool effectError; // QVEffectError, else QVStreamError
    const char* action;
};

void PrintTo(const BuildFailure& f, std::ostream* os) {
    *os << f.name;
}

class QVAudioStreamBuildFailureTest : public ::testing::TestWithParam<BuildFailure> {};

TEST_P(QVAudioStreamBuildFailureTest, YieldsNullAndTheStepsError) {
    const BuildFailure& f = GetParam();
    installOfflineDevice(44100.0, 1, 2);
    AlertRecorder alerts;
    ToneDelegate delegate;
    const OSStatus status = -10863;
    HostFaults::failCall(f.call, f.occurrence, status, f.detail);
    QVErrorPtr error;
    auto stream = QVAudioStream::withDelegate(&delegate, &error);
    HostFaults::reset();
    EXPECT_FALSE(stream);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), status);
    EXPECT_EQ(error->errorDomain(),
              f.effectError ? QVEffectError::domain() : QVStreamError::domain());
    EXPECT_EQ(error->localizedDescription().rfind(std::string(f.action) + " failed because ", 0),
              0u)
        << error->localizedDescription();
}

constexpr std::uint32_t kAny = HostFaults::kAnyDetail;

INSTANTIATE_TEST_SUITE_P(
    EachStep, QVAudioStreamBuildFailureTest,
    ::testing::Values(
        BuildFailure{"Create", HostCall::NewGraph, 1, kAny, false, "Creating the stream"},
        BuildFailure{"AddHardware", HostCall::AddNode, 1, kAny, false, "Adding"},
        BuildFailure{"AddMixer", HostCall::AddNode, 2, kAny, false, "Adding"},
        BuildFailure{"AddFormatter", HostCall::AddNode, 3, kAny, false, "Adding"},
        BuildFailure{"Open", HostCall::OpenGraph, 1, kAny, false, "Opening the stream"},
        BuildFailure{"EnableInput", HostCall::SetProperty, 1, kAudioOutputUnitProperty_EnableIO,
                     true, "Applying the enable I/O to the input scope"},
        BuildFailure{"EnableOutput", HostCall::SetProperty, 2, kAudioOutputUnitProperty_EnableIO,
                     true, "Applying the enable I/O to the output scope"},
        BuildFailure{"LockNotification", HostCall::AddRenderNotify, 1, kAny, true,
                     "Adding a render notification"},
        BuildFailure{"InputNotification", HostCall::AddRenderNotify, 2, kAny, true,
                     "Adding a render notification"},
        BuildFailure{"RenderCallback", HostCall::SetProperty, 1,
                     kAudioUnitProperty_SetRenderCallback, true, "Setting the render callback"},
        BuildFailure{"Initialize", HostCall::InitializeGraph, 1, kAny, false,
                     "Initializing the stream"},
        BuildFailure{"ConnectMixer", HostCall::ConnectNodes, 1, kAny, false,
                     "Connecting the output to the input"},
        BuildFailure{"ConnectFormatter", HostCall::ConnectNodes, 2, kAny, false,
                     "Connecting the output to the input"},
        BuildFailure{"ConnectMicrophone", HostCall::ConnectNodes, 3, kAny, false,
                     "Connecting the output to the input"}),
    [](const ::testing::TestParamInfo<BuildFailure>& step) { return step.param.name; });

// Counts its cycles, writes a level the main thread sets under the render lock, and notes a
// cycle that comes after the stream was stopped.
struct CountingDelegate : QVAudioStreamDelegate, QVAudioStreamRenderer {
    bool renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp&) override {
        buffer.setSampleValue(level, 0);
        if (stopped.load()) {
            renderedAfterStop.store(true);
        }
        cycles.fetch_add(1);
        cycles.notify_all();
        return true;
    }
    // Sleeps until `count` cycles have run.
    void waitForCycles(int count) {
        for (int seen = cycles.load(); seen < count; seen = cycles.load()) {
            cycles.wait(seen);
        }
    }
    std::int16_t level = 0; // guarded by the render lock
    std::atomic<int> cycles{0};
    std::atomic<bool> stopped{false};
    std::atomic<bool> renderedAfterStop{false};
};

// On the virtual device the graph runs on its own real-time thread; the main thread changes
// what the render reads under the render lock, as the tools do. Once stop() returns no cycle
// runs: the device's thread has ended.
TEST(QVAudioStreamThreads, VirtualDeviceRendersWhileTheMainThreadChangesStateUnderTheLock) {
    AudioDeviceLayer::install(std::make_unique<VirtualAudioDevice>(44100.0, 1, 2, 64));
    CountingDelegate delegate;
    auto stream = QVAudioStream::withDelegate(&delegate);
    ASSERT_TRUE(stream && stream->start());
    for (std::int16_t level = 0; delegate.cycles.load() < 20; ++level) {
        {
            std::lock_guard lock(stream->renderLock());
            delegate.level = level;
        }
        delegate.waitForCycles(delegate.cycles.load() + 1);
    }
    EXPECT_TRUE(stream->stop());
    delegate.stopped.store(true);
    EXPECT_FALSE(stream->isRunning());
    stream.reset();
    AudioDeviceLayer::install(nullptr);
    EXPECT_FALSE(delegate.renderedAfterStop.load());
}

// A sound card that went away and cannot start again gives way to the virtual device: the
// application hears of the failure once, and the stream runs on, on the clock.
TEST_F(QVAudioStreamTest, ACardThatCannotStartAgainGivesWayToTheVirtualDevice) {
    OfflineAudioDevice& card = installOfflineDevice(44100.0, 1, 2);
    CountingDelegate delegate;
    auto stream = build(&delegate);
    ASSERT_TRUE(stream && stream->start());
    ASSERT_TRUE(card.pump(64));
    card.fail(-9999, "the card was unplugged");
    fretkit::MainThread::defaultQueue().pump();
    EXPECT_FALSE(stream->isRunning());
    ASSERT_EQ(alerts.alerts.size(), 1u);

    LogCapture log;
    HostFaults::failCall(HostCall::DeviceStart, 1, -9985);
    ASSERT_TRUE(stream->start());
    EXPECT_EQ(AudioDeviceLayer::current().driverName(), "virtual");
    EXPECT_EQ(AudioDeviceLayer::current().info().inputChannels, 1u);
    delegate.waitForCycles(delegate.cycles.load() + 3);
    EXPECT_TRUE(log.contains("going on with the virtual device"));
    // Stopping and starting again stays on the clock, without another word.
    EXPECT_TRUE(stream->stop());
    EXPECT_TRUE(stream->start());
    delegate.waitForCycles(delegate.cycles.load() + 1);
    stream.reset();
    fretkit::MainThread::defaultQueue().pump();
    EXPECT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(QVAudioStreamThreads, SystemSoundsAreMixedIntoTheOutputOnce) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 0, 2);
    TempDir dir;
    const std::string path = dir.file("click.wav");
    {
        auto writer = AudioFileWriter::create(path, 44100.0, 1, nullptr);
        const std::vector<float> click(100, 0.5f);
        ASSERT_TRUE(writer && writer->write(click.data(), 100) && writer->close());
    }
    SystemSoundID sound = 0;
    ASSERT_EQ(SystemSounds::createSystemSoundID(path, &sound), noErr);
    QVAudioStreamDelegate silent;
    auto stream = QVAudioStream::withDelegate(&silent);
    ASSERT_TRUE(stream);
    // Nothing mixes while the stream is stopped: the sound is dropped, not kept for later.
    SystemSounds::play(sound);
    EXPECT_EQ(SystemSounds::playingCount(), 0u);
    ASSERT_TRUE(stream->start());
    EXPECT_TRUE(SystemSounds::isOutputRunning());
    SystemSounds::play(sound);
    EXPECT_EQ(SystemSounds::playingCount(), 1u);
    std::vector<float> out(128, 0.0f);
    ASSERT_TRUE(device.pump(64, nullptr, out.data()));
    EXPECT_EQ(out[0], 0.5f);
    EXPECT_EQ(out[127], 0.5f); // the mono sound reaches both channels
    ASSERT_TRUE(device.pump(64, nullptr, out.data()));
    EXPECT_EQ(out[2 * 35], 0.5f);
    EXPECT_EQ(out[2 * 36], 0.0f); // 100 frames, then nothing
    EXPECT_EQ(SystemSounds::playingCount(), 0u);
    ASSERT_TRUE(stream->stop());
    EXPECT_FALSE(SystemSounds::isOutputRunning());
    SystemSounds::play(sound);
    EXPECT_EQ(SystemSounds::playingCount(), 0u);
    EXPECT_EQ(SystemSounds::dispose(sound), noErr);
    EXPECT_NE(SystemSounds::createSystemSoundID(dir.file("missing.wav"), &sound), noErr);
}
