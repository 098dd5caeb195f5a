#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"
#include "metronome/MTBeatEngine.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace {

// An audio thread renders under the render lock, as the stream does, while the main thread
// changes the tempo, the click and the running state and takes the beat signals.
TEST(MTBeatEngineThreads, MainThreadChangesWhileTheAudioThreadRenders) {
    const QVRenderLockPtr renderLock = std::make_shared<QVRenderLock>();
    MTBeatEngine engine(renderLock, 44100.0, 280);
    engine.setSoundData(std::vector<std::int16_t>(3000, 1000));
    engine.start();
    std::atomic<bool> done{false};
    std::atomic<std::uint32_t> cycles{0};
    std::thread audio([&] {
        auto buffer = QVAudioBuffer::bufferWithChannels(2, 64);
        fretkit::host::AudioTimeStamp stamp{};
        stamp.mFlags = fretkit::host::kAudioTimeStampHostTimeValid;
        stamp.mHostTime = 1'000'000'000;
        while (!done.load()) {
            {
                std::lock_guard lock(*renderLock);
                buffer->clear();
                engine.renderAudioToBuffer(*buffer, QVAudioTimeStamp(stamp));
            }
            stamp.mHostTime += 1'451'247; // 64 frames at 44100 Hz
            cycles.fetch_add(1);
            std::this_thread::sleep_for(std::chrono::microseconds(50)); // a device's pace
        }
    });
    std::uint32_t lastBeat = 0;
    std::uint64_t lastTime = 0;
    for (int i = 0; i < 2000; ++i) {
        engine.setTempo(40 + static_cast<unsigned>(i % 241));
        engine.setTimeSignature(MTTimeSignature(static_cast<std::uint32_t>(i % 16)));
        if (i % 100 == 0) {
            engine.setSoundData(std::vector<std::int16_t>(static_cast<std::size_t>(100 + i), 500));
        }
        if (i % 500 == 250) {
            engine.stop();
            engine.start();
            lastBeat = 0;
        }
        if (const auto beat = engine.beatSignal().take()) {
            EXPECT_GE(beat->index, lastBeat);
            EXPECT_GT(beat->nanoseconds, lastTime); // each beat carries its own, later time
            lastBeat = beat->index;
            lastTime = beat->nanoseconds;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    done.store(true);
    audio.join();
    EXPECT_GT(cycles.load(), 0u);
    EXPECT_TRUE(engine.isPlaying());
}

} // namespace
