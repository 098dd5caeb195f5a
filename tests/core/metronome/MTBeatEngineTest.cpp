#include "metronome/MTBeatEngine.h"

#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Renders `count` buffers of `frames` frames; answers channel 0 of all of them, end to end.
std::vector<std::int16_t> render(MTBeatEngine& engine, std::uint32_t frames, std::uint32_t count,
                                 std::vector<std::int16_t>* right = nullptr) {
    std::vector<std::int16_t> out;
    auto buffer = QVAudioBuffer::bufferWithChannels(2, frames);
    for (std::uint32_t b = 0; b < count; ++b) {
        buffer->clear();
        EXPECT_TRUE(engine.renderAudioToBuffer(*buffer, QVAudioTimeStamp()));
        out.insert(out.end(), buffer->channel(0), buffer->channel(0) + frames);
        if (right != nullptr) {
            right->insert(right->end(), buffer->channel(1), buffer->channel(1) + frames);
        }
    }
    return out;
}

// Frames where a run of nonzero samples starts after silence.
std::vector<std::size_t> onsets(const std::vector<std::int16_t>& samples) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] != 0 && (i == 0 || samples[i - 1] == 0)) {
            found.push_back(i);
        }
    }
    return found;
}

std::vector<std::int16_t> constantClick(std::size_t length, std::int16_t value) {
    return std::vector<std::int16_t>(length, value);
}

MTBeatEngine& started(MTBeatEngine& engine, std::vector<std::int16_t> click,
                      std::uint32_t signature = 0) {
    engine.setSoundData(std::move(click));
    engine.setTimeSignature(MTTimeSignature(signature));
    engine.start();
    return engine;
}

TEST(MTBeatEngine, PlacesBeatsAtTheirExactFrames) {
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 120);
    started(engine, constantClick(10, 4000));
    std::vector<std::int16_t> right;
    const auto out = render(engine, 1024, 50, &right);
    EXPECT_EQ(onsets(out), (std::vector<std::size_t>{0, 22050, 44100}));
    // Beat 1 falls in buffer 21 at frame 546; without a time signature at a quarter gain.
    EXPECT_EQ(out[21 * 1024 + 546], 1000);
    EXPECT_EQ(out[21 * 1024 + 545], 0);
    EXPECT_EQ(right, out);
    EXPECT_EQ(engine.framesRendered(), 50u * 1024u);
}

TEST(MTBeatEngine, BeatRoundingToTheBufferEndSoundsAtTheNextBuffersStart) {
    // At 68 BPM beat 1 is at frame 38911.76: buffer 151, frame 255.76 of 256.
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 68);
    started(engine, constantClick(10, 4000));
    const auto head = render(engine, 256, 152);
    EXPECT_EQ(onsets(head), std::vector<std::size_t>{0});
    const auto beat = engine.beatSignal().take();
    ASSERT_TRUE(beat);
    EXPECT_EQ(beat->index, 1u); // placed in buffer 151, with nothing written there
    const auto next = render(engine, 256, 1);
    EXPECT_EQ(next[0], 1000);
    EXPECT_FALSE(engine.beatSignal().take()); // and not started a second time
}

TEST(MTBeatEngine, AccentsFollowTheEncodedTimeSignature) {
    const struct {
        std::uint32_t signature;
        std::vector<bool> accented; // beats 0-7
    } cases[] = {
        {0, {false, false, false, false, false, false, false, false}},
        {4, {true, false, false, false, true, false, false, false}},
        {0x34, {true, false, false, true, true, false, false, true}},
    };
    for (const auto& c : cases) {
        MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0,
                            240); // a beat every 11025 frames
        started(engine, constantClick(10, 4000), c.signature);
        const auto out = render(engine, 441, 200);
        for (std::size_t beat = 0; beat < 8; ++beat) {
            EXPECT_EQ(out[beat * 11025], c.accented[beat] ? 4000 : 1000)
                << "signature " << c.signature << " beat " << beat;
        }
    }
}

TEST(MTBeatEngine, ClickLongerThanABeatOverlapsAndSaturatesThenIsCut) {
    for (const std::int16_t value : {std::int16_t{20000}, std::int16_t{-20000}}) {
        // 280 BPM: a beat every 9450 frames, beat 1 in buffer 9 at frame 234.
        MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 280);
        started(engine, constantClick(12000, value), 1);
        const auto out = render(engine, 1024, 11);
        const std::int16_t limit = value > 0 ? 32767 : -32768;
        EXPECT_EQ(out[9 * 1024 + 233], value); // the old click alone
        EXPECT_EQ(out[9 * 1024 + 234], limit); // both clicks, saturated
        EXPECT_EQ(out[9 * 1024 + 1023], limit);
        EXPECT_EQ(out[10 * 1024], value); // the old click is gone
        EXPECT_EQ(out[10 * 1024 + 1023], value);
    }
}

TEST(MTBeatEngine, MixesIntoWhatTheBufferHolds) {
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 120);
    started(engine, {100, -100, 32000}, 1);
    auto buffer = QVAudioBuffer::bufferWithChannels(1, 8);
    buffer->setSampleValue(50, 0);
    buffer->setSampleValue(-32700, 1);
    buffer->setSampleValue(5000, 2);
    engine.renderAudioToBuffer(*buffer, QVAudioTimeStamp());
    EXPECT_EQ(buffer->sampleValueAtIndex(0), 150);
    EXPECT_EQ(buffer->sampleValueAtIndex(1), -32768);
    EXPECT_EQ(buffer->sampleValueAtIndex(2), 32767);
    EXPECT_EQ(buffer->sampleValueAtIndex(3), 0);
}

TEST(MTBeatEngine, QuarterGainRoundsEachSample) {
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 120);
    started(engine, {3, -3, 2, -2, 6});
    const auto out = render(engine, 8, 1);
    // 0.75 -> 1, -0.75 -> -1, 0.5 -> 1 and -0.5 -> -1 (halves away from zero), 1.5 -> 2.
    EXPECT_EQ(out, (std::vector<std::int16_t>{1, -1, 1, -1, 2, 0, 0, 0}));
}

TEST(MTBeatEngine, TempoChangeMidBeatKeepsThePhase) {
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 120);
    started(engine, constantClick(10, 4000));
    auto out = render(engine, 1024, 10); // 10240 of the beat's 22050 frames
    engine.setTempo(60);
    const auto rest = render(engine, 1024, 80);
    out.insert(out.end(), rest.begin(), rest.end());
    // The rest of the beat, 11810 / 22050 of it, at 60 BPM lasts 23620 frames.
    EXPECT_EQ(onsets(out), (std::vector<std::size_t>{0, 33860, 77960}));
}

TEST(MTBeatEngine, StopCutsTheClickAndRestartBeginsAfresh) {
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 120);
    std::vector<std::int16_t> ramp(3000);
    for (std::size_t i = 0; i < ramp.size(); ++i) {
        ramp[i] = static_cast<std::int16_t>(4 * (i + 1));
    }
    started(engine, ramp, 1);
    EXPECT_TRUE(engine.isPlaying());
    EXPECT_EQ(render(engine, 1024, 1)[1023], 4096);
    engine.stop();
    EXPECT_FALSE(engine.isPlaying());
    EXPECT_EQ(engine.currentTick(), -1.0);
    EXPECT_EQ(onsets(render(engine, 1024, 2)), std::vector<std::size_t>{});
    engine.start();
    EXPECT_FALSE(engine.beatSignal().take()); // the first run's beat is not shown any more
    const auto again = render(engine, 1024, 1);
    // Beat 0 at frame 0, the click from its start alone: the cut remainder does not come back.
    EXPECT_EQ(again[0], 4);
    EXPECT_EQ(again[1023], 4096);
    const auto beat = engine.beatSignal().take();
    ASSERT_TRUE(beat);
    EXPECT_EQ(beat->index, 0u);
}

TEST(MTBeatEngine, ChangingTheClickDropsTheOneSounding) {
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 120);
    started(engine, constantClick(3000, 4000), 1);
    render(engine, 1024, 1);
    engine.setSoundData(constantClick(3000, 8000));
    const auto out = render(engine, 1024, 30);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[22050 - 1024], 8000); // beat 1 plays the new click
}

TEST(MTBeatEngine, SignalsEachBeatWithPolarityAndBarStart) {
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 240);
    started(engine, constantClick(10, 4000), 0x23);
    std::vector<MTBeat> beats;
    auto buffer = QVAudioBuffer::bufferWithChannels(2, 441);
    for (int b = 0; b < 199; ++b) {
        buffer->clear();
        engine.renderAudioToBuffer(*buffer, QVAudioTimeStamp());
        if (auto beat = engine.beatSignal().take()) {
            beats.push_back(*beat);
        }
    }
    ASSERT_EQ(beats.size(), 8u);
    const bool bars[] = {true, false, false, true, false, false, true, false};
    const bool accents[] = {true, false, true, true, false, true, true, false};
    for (std::uint32_t i = 0; i < beats.size(); ++i) {
        EXPECT_EQ(beats[i], (MTBeat{i, i % 2 == 0, bars[i], accents[i]})) << i;
    }
    EXPECT_EQ(engine.beatSignal().missed(), 0u);
}

TEST(MTBeatEngine, LateReaderSeesTheNewestBeatAndCountsTheMissed) {
    MTBeatSignal signal;
    signal.post({0, true, true, true});
    signal.post({1, false, false, false});
    signal.post({2, true, false, false});
    EXPECT_EQ(signal.take(), (MTBeat{2, true, false, false}));
    EXPECT_FALSE(signal.take());
    EXPECT_EQ(signal.missed(), 2u);
}

TEST(MTBeatEngine, EachBeatCarriesTheTimeItsFirstFrameLeavesTheStream) {
    // 120 BPM at 44100 Hz in 1024-frame buffers: beat 0 at frame 0 of buffer 0, beat 1 at
    // frame 546 of buffer 21; the buffers are dated 10 s + their first frame's time.
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 120);
    started(engine, constantClick(10, 4000));
    auto buffer = QVAudioBuffer::bufferWithChannels(2, 1024);
    std::vector<MTBeat> beats;
    for (std::uint64_t b = 0; b < 22; ++b) {
        fretkit::host::AudioTimeStamp stamp{};
        stamp.mFlags = fretkit::host::kAudioTimeStampHostTimeValid;
        stamp.mHostTime = 10'000'000'000u + b * 1024u * 1'000'000'000u / 44100u;
        buffer->clear();
        engine.renderAudioToBuffer(*buffer, QVAudioTimeStamp(stamp));
        if (auto beat = engine.beatSignal().take()) {
            beats.push_back(*beat);
        }
    }
    ASSERT_EQ(beats.size(), 2u);
    EXPECT_EQ(beats[0].nanoseconds, 10'000'000'000u);
    const double beat1 = static_cast<double>(beats[1].nanoseconds) / 1e9;
    EXPECT_NEAR(beat1, 10.5, 1e-6); // 22050 frames later
    // Heard one output latency later; a beat heard already is shown at once.
    EXPECT_NEAR(beats[1].delayUntilHeard(10.45, 0.02), 0.07, 1e-6);
    EXPECT_EQ(beats[1].delayUntilHeard(10.6, 0.02), 0.0);
    EXPECT_EQ(MTBeat{}.delayUntilHeard(10.0, 0.02), 0.0); // no time: nothing to wait for

    // An undated buffer gives undated beats.
    engine.start();
    buffer->clear();
    engine.renderAudioToBuffer(*buffer, QVAudioTimeStamp());
    EXPECT_EQ(engine.beatSignal().take()->nanoseconds, 0u);
}

TEST(MTBeatEngine, StoppedOrUnusableSettingsLeaveTheBufferSilent) {
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), 44100.0, 120);
    engine.setSoundData(constantClick(10, 4000));
    EXPECT_EQ(onsets(render(engine, 512, 4)), std::vector<std::size_t>{}); // never started
    engine.start();
    engine.setTempo(0);
    EXPECT_EQ(onsets(render(engine, 512, 4)), std::vector<std::size_t>{});
    engine.setTempo(120);
    engine.setSoundData({});
    EXPECT_EQ(onsets(render(engine, 512, 4)), std::vector<std::size_t>{});
}

} // namespace
