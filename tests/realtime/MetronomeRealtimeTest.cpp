#include "audio/QVAudioStream.h"
#include "metronome/MTBeatEngine.h"
#include "support/AudioTestSupport.h"

#include <gtest/gtest.h>
#include <vector>

using namespace fretkit::host;

// The engine as the stream's delegate for thousands of cycles of the full graph. Built with the
// real-time sanitizer, any allocation or blocking call in its render ends the test; elsewhere it
// checks that the beats keep coming.
TEST(MTBeatEngineRealtime, ThousandsOfCyclesMakeNoBlockingCall) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    const QVRenderLockPtr renderLock = std::make_shared<QVRenderLock>();
    MTBeatEngine engine(renderLock, 44100.0, 280);
    engine.setSoundData(std::vector<std::int16_t>(3000, 8000));
    engine.setTimeSignature(MTTimeSignature(0x34));
    auto stream = QVAudioStream::withDelegate(&engine, renderLock);
    ASSERT_TRUE(stream);
    engine.start();
    ASSERT_TRUE(stream->start());
    std::vector<float> output(512 * 2);
    std::uint32_t beats = 0;
    float loudest = 0.0f;
    for (int cycle = 0; cycle < 5000; ++cycle) {
        ASSERT_TRUE(device.pump(512, nullptr, output.data()));
        for (const float s : output) {
            loudest = std::max(loudest, s);
        }
        if (engine.beatSignal().take()) {
            ++beats;
        }
        if (cycle == 2500) {
            engine.setTempo(97);
        }
    }
    stream->stop();
    EXPECT_EQ(beats, 183u); // 29 s at 280 BPM, then 29 s at 97
    EXPECT_NEAR(loudest, 8000.0f / 32768.0f, 1e-6f);
    // A screen may outlive the stream (the application releases the stream first): its engine
    // still holds the lock it takes.
    stream.reset();
    engine.setTempo(60);
    EXPECT_EQ(engine.tempo(), 60u);
}
