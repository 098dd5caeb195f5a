#include "audio/QVAudioBuffer.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

std::unique_ptr<QVAudioBuffer> withSamples(const std::vector<std::vector<std::int16_t>>& channels) {
    auto buffer = QVAudioBuffer::bufferWithChannels(static_cast<std::uint32_t>(channels.size()),
                                                    static_cast<std::uint32_t>(channels[0].size()));
    for (std::uint32_t c = 0; c < channels.size(); ++c) {
        buffer->setSampleValues(channels[c].data(), static_cast<std::uint32_t>(channels[c].size()),
                                c);
    }
    return buffer;
}

std::vector<std::int16_t> samplesOf(const QVAudioBuffer& buffer, std::uint32_t channel) {
    return {buffer.channel(channel), buffer.channel(channel) + buffer.frames()};
}

} // namespace

TEST(QVAudioBuffer, AccessOutsideTheBufferReadsZeroAndWritesNothing) {
    QVAudioBuffer unbuilt;
    EXPECT_EQ(unbuilt.frames(), 0u);
    EXPECT_EQ(unbuilt.sampleValueAtIndex(0), 0);
    unbuilt.setSampleValue(3, 0);

    auto buffer = withSamples({{1, 2, 3}});
    EXPECT_EQ(buffer->channel(1), nullptr);
    EXPECT_EQ(buffer->sampleValueAtIndex(3), 0);
    EXPECT_EQ(buffer->sampleValueAtIndex(0, 1), 0);
    buffer->setSampleValue(9, 3);
    buffer->setSampleValue(9, 0, 1);
    const std::int16_t many[] = {7, 7, 7, 7, 7};
    buffer->setSampleValues(many, 5, 0);
    EXPECT_EQ(samplesOf(*buffer, 0), (std::vector<std::int16_t>{7, 7, 7}));

    buffer->setFrames(5);
    EXPECT_EQ(samplesOf(*buffer, 0), (std::vector<std::int16_t>{7, 7, 7, 0, 0}));
    buffer->setNumberOfChannels(2);
    EXPECT_EQ(samplesOf(*buffer, 1), std::vector<std::int16_t>(5, 0));
}

TEST(QVAudioBuffer, StatisticsStartAtZeroAndSaturate) {
    auto negative = withSamples({{-3, -7, -1}});
    EXPECT_EQ(negative->maximum(), 0);
    EXPECT_EQ(negative->minimum(), -7);
    auto positive = withSamples({{3, 7, 1}});
    EXPECT_EQ(positive->minimum(), 0);
    EXPECT_EQ(positive->maximum(), 7);

    auto loudest = withSamples({{100, -32768}, {5, 5}});
    EXPECT_EQ(loudest->peakOfChannel(0), 32767);
    EXPECT_EQ(loudest->peak(), 32767);
    std::int16_t maximum = 1;
    std::int16_t minimum = 1;
    loudest->getMaximum(&maximum, &minimum);
    EXPECT_EQ(maximum, 100);
    EXPECT_EQ(minimum, -32768);
    loudest->getMaximum(&maximum, &minimum, 7);
    EXPECT_EQ(maximum, 0);
    EXPECT_EQ(minimum, 0);

    auto rms = withSamples({{3, -4, 3, -4}, {0, 0, 0, 0}});
    EXPECT_EQ(rms->rmsOfChannel(0), 4); // sqrt(12.5) = 3.54 rounds to 4
    EXPECT_EQ(rms->rms(), 3);           // sqrt((16 + 0) / 2) = 2.83 rounds to 3
    EXPECT_EQ(withSamples({{-32768, -32768}})->rmsOfChannel(0), 32767);
}

TEST(QVAudioBuffer, ScalingSaturatesAndKeepsToItsRange) {
    auto buffer = withSamples({{20000, -20000, 3, 1000}, {10, 10, 10, 10}});
    buffer->scale(2.0f, 0, QVRange{0, 3});
    EXPECT_EQ(samplesOf(*buffer, 0), (std::vector<std::int16_t>{32767, -32768, 6, 1000}));
    buffer->scale(0.5f, 0, QVRange{3, 100});
    EXPECT_EQ(buffer->sampleValueAtIndex(3), 500);
    buffer->scale(0.25f, {1});
    EXPECT_EQ(samplesOf(*buffer, 1), (std::vector<std::int16_t>{3, 3, 3, 3})); // 2.5 rounds up
    buffer->scale(std::numeric_limits<float>::quiet_NaN(), 1);
    EXPECT_EQ(samplesOf(*buffer, 1), std::vector<std::int16_t>(4, -32768));

    auto untouched = withSamples({{-32768, 32767, 1}});
    untouched->scale(1.0f);
    EXPECT_EQ(samplesOf(*untouched, 0), (std::vector<std::int16_t>{-32768, 32767, 1}));
}
