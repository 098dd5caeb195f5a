#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioStream.h"
#include "shell/BZAudioDispatch.h"
#include "support/AudioTestSupport.h"

#include <gtest/gtest.h>
#include <vector>

// The application's dispatch as the stream's delegate: each cycle goes to whichever screen the
// main thread published last, or nowhere. Built with the real-time sanitizer, any allocation or
// blocking call on that path ends the test.

using namespace fretkit::host;

namespace {

class ToolScreen final : public QVAudioStreamRenderer, public QVAudioStreamInput {
public:
    explicit ToolScreen(std::int16_t level) : level_(level) {}
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp&) FRETKIT_NONBLOCKING override {
        for (std::uint32_t i = 0; i < buffer.frames(); ++i) {
            buffer.setSampleValue(level_, i, 0);
        }
        ++renders;
        return true;
    }
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp&, bool) FRETKIT_NONBLOCKING override {
        heard = buffer.peak();
        ++inputs;
    }
    int renders = 0;
    int inputs = 0;
    std::int16_t heard = 0;

private:
    std::int16_t level_;
};

} // namespace

TEST(AudioDispatchRealtime, EachCycleReachesThePublishedScreenOnly) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    BZAudioDispatch dispatch;
    auto stream = QVAudioStream::withDelegate(&dispatch);
    ASSERT_TRUE(stream && stream->start());
    ToolScreen metronome(8192);
    ToolScreen tuner(0);
    const std::vector<float> microphone(256, 0.5f);
    std::vector<float> output(512);
    for (int cycle = 0; cycle < 3000; ++cycle) {
        // The screens come and go between cycles, as pushes and pops would.
        switch (cycle % 3) {
        case 0:
            dispatch.publish(&metronome, nullptr);
            break;
        case 1:
            dispatch.publish(nullptr, &tuner);
            break;
        default:
            dispatch.publish(nullptr, nullptr);
            break;
        }
        ASSERT_TRUE(device.pump(256, microphone.data(), output.data()));
        // The microphone leaks in at about -100 dB.
        const float expected = cycle % 3 == 0 ? 0.25f : 0.0f;
        ASSERT_NEAR(output[0], expected, 1e-4f) << "cycle " << cycle;
    }
    stream->stop();
    EXPECT_EQ(metronome.renders, 1000);
    EXPECT_EQ(metronome.inputs, 0);
    EXPECT_EQ(tuner.inputs, 1000);
    EXPECT_EQ(tuner.heard, 16384);
}
