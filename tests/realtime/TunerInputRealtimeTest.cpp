#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioStream.h"
#include "audio/QVAudioTimeStamp.h"
#include "foundation/PlistValue.h"
#include "support/AudioTestSupport.h"
#include "tuner/TNTunerEngine.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

// The tuner's input path as the tuner screen drives it: the microphone through the converter
// into each cycle's input callback, then into the tuner's level lamps and its estimator. Built
// with the real-time sanitizer, any allocation or blocking call on that path ends the test.

using namespace fretkit::host;

namespace {

class TunerScreen final : public QVAudioStreamDelegate, public QVAudioStreamInput {
public:
    explicit TunerScreen(TNTunerEngine& tuner) : tuner_(tuner) {}
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp,
               bool) FRETKIT_NONBLOCKING override {
        tuner_.input(buffer.channel(0), buffer.frames(), timeStamp.sample());
    }

private:
    TNTunerEngine& tuner_;
};

} // namespace

TEST(TunerInputRealtime, ThousandsOfInputBlocksReachTheLampsAndTheEstimator) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    auto tuner = TNTunerEngine::create(44100.0, TNTunings(fretkit::PlistValue::array()));
    ASSERT_TRUE(tuner);
    TunerScreen screen(*tuner);
    auto stream = QVAudioStream::withDelegate(&screen);
    ASSERT_TRUE(stream && stream->start());
    std::vector<float> microphone(512);
    double phase = 0.0;
    for (int cycle = 0; cycle < 3000; ++cycle) {
        // An A string at about -10 dB, then silence.
        const float amplitude = cycle < 2000 ? 0.35f : 0.0f;
        for (float& sample : microphone) {
            sample = amplitude * static_cast<float>(std::sin(phase));
            phase += 2.0 * M_PI * 110.0 / 44100.0;
        }
        ASSERT_TRUE(device.pump(512, microphone.data(), nullptr));
        if (cycle == 1999) {
            EXPECT_EQ(tuner->levelLamps(), 0xEu); // all but the loudest lamp
        }
    }
    stream->stop();
    EXPECT_EQ(tuner->levelLamps(), 0u);
}
