#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioStream.h"
#include "audio/QVAudioTimeStamp.h"
#include "support/AudioTestSupport.h"

#include <gtest/gtest.h>
#include <vector>

using namespace fretkit::host;

// Thousands of cycles of the full graph, with a delegate that writes sound and reads input.
// Built with the real-time sanitizer, any allocation, lock (but the render lock) or blocking
// call inside a cycle ends the test; elsewhere it checks that the cycles keep their sound.

namespace {

class Tool final : public QVAudioStreamDelegate,
                   public QVAudioStreamRenderer,
                   public QVAudioStreamInput {
public:
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& stamp) FRETKIT_NONBLOCKING override {
        for (std::uint32_t c = 0; c < buffer.numberOfChannels(); ++c) {
            for (std::uint32_t i = 0; i < buffer.frames(); ++i) {
                buffer.setSampleValue(static_cast<std::int16_t>((i % 64) * 100), i, c);
            }
        }
        buffer.scale(0.5f);
        lastSample = stamp.sample();
        return true;
    }
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp&,
               bool stereo) FRETKIT_NONBLOCKING override {
        peak = buffer.peak();
        rms = buffer.rms();
        wasStereo = stereo;
    }

    double lastSample = 0;
    std::int16_t peak = 0;
    std::int16_t rms = 0;
    bool wasStereo = true;
};

} // namespace

TEST(QVAudioStreamRealtime, ThousandsOfCyclesMakeNoBlockingCall) {
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    Tool tool;
    auto stream = QVAudioStream::withDelegate(&tool);
    ASSERT_TRUE(stream && stream->start());
    std::vector<float> input(512);
    for (std::size_t i = 0; i < input.size(); ++i) {
        input[i] = (i % 2 == 0 ? 0.25f : -0.25f);
    }
    std::vector<float> output(1024);
    constexpr int kCycles = 4000;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        ASSERT_TRUE(device.pump(cycle % 2 == 0 ? 256 : 512, input.data(), output.data()));
    }
    EXPECT_EQ(tool.peak, 8192);
    EXPECT_EQ(tool.rms, 8192);
    EXPECT_FALSE(tool.wasStereo);
    EXPECT_EQ(tool.lastSample, (kCycles / 2) * 768.0 - 512.0);
    EXPECT_NEAR(output[2] * 32768.0f, 50.0f, 0.1f); // frame 1: 100 scaled by 0.5
    EXPECT_GT(stream->cpuLoad(), 0.0f);
}
