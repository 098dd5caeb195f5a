#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioStream.h"
#include "audio/QVAudioTimeStamp.h"
#include "core/tuner/TunerFeed.h"
#include "support/AudioTestSupport.h"
#include "support/LogCapture.h"
#include "tuner/TNNoteLabels.h"

#include <gtest/gtest.h>
#include <vector>

// The tuner's input path as the stream drives it, for ten thousand cycles of the full graph with
// the analysis thread running. Built with the real-time sanitizer, any lock, allocation or
// blocking call on the audio thread ends the test; elsewhere it checks that the input arrives
// whole and is read.

using namespace fretkit::host;

namespace {

class Microphone final : public QVAudioStreamDelegate, public QVAudioStreamInput {
public:
    explicit Microphone(TNTunerEngine& engine) : engine_(engine) {}
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp& stamp,
               bool) FRETKIT_NONBLOCKING override {
        engine_.input(buffer.channel(0), buffer.frames(), stamp.sample());
    }

private:
    TNTunerEngine& engine_;
};

} // namespace

TEST(TNTunerEngineRealtime, TenThousandInputCyclesMakeNoBlockingCall) {
    LogCapture log;
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    auto engine = TNTunerEngine::create(44100.0, TNTunings(fretkit::PlistValue::array()));
    ASSERT_TRUE(engine);
    ResultLog results(*engine);
    Microphone microphone(*engine);
    auto stream = QVAudioStream::withDelegate(&microphone);
    ASSERT_TRUE(stream && stream->start());
    engine->startAnalysis();

    // G3 at a steady -10 dBFS or so, fed in buffers of changing sizes up to the largest slice.
    const std::uint32_t sizes[] = {256, 512, 1024, 4096, 333};
    const std::vector<float> tone = signals::sine(196.0, 44100.0, 44100 * 10, 0.4);
    std::size_t at = 0;
    std::vector<float> output(2 * 4096);
    for (int cycle = 0; cycle < 10000; ++cycle) {
        const std::uint32_t frames = sizes[cycle % 5];
        if (at + frames > tone.size()) {
            at %= 225; // back to the start by a whole number of periods
        }
        ASSERT_TRUE(device.pump(frames, tone.data() + at, output.data()));
        at += frames;
    }
    engine->stopAnalysis();
    stream->stop();
    results.pump();
    ASSERT_FALSE(results.results.empty());
    EXPECT_EQ(TNNoteLabels::forNote(results.results.back().note).note, "G3");
    EXPECT_EQ(engine->levelLamps(), 0b1110u); // RMS 0.28 of full scale: above -20 dB
}
