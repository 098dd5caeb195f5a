#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioStream.h"
#include "audio/QVAudioTimeStamp.h"
#include "host/AudioDeviceLayer.h"
#include "host/OfflineAudioDevice.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

using namespace fretkit::host;

// One full cycle of the input-and-output graph (microphone through the converter into the
// mixer, the delegate's sound into the mixer, the mix to the device) against copying the same
// samples. The "share" counter is the cycle's cost as a part of the buffer's duration at
// 44.1 kHz.

namespace {

constexpr double kRate = 44100.0;

// Writes a sound into the output and reads the input, as a tool would.
class Tool final : public QVAudioStreamDelegate,
                   public QVAudioStreamRenderer,
                   public QVAudioStreamInput {
public:
    explicit Tool(std::uint32_t frames) : sound_(frames) {
        for (std::uint32_t i = 0; i < frames; ++i) {
            sound_[i] = static_cast<std::int16_t>((i * 37) % 2000 - 1000);
        }
    }
    bool renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp&) override {
        for (std::uint32_t c = 0; c < buffer.numberOfChannels(); ++c) {
            buffer.setSampleValues(sound_.data(), buffer.frames(), c);
        }
        return true;
    }
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp&, bool) override {
        benchmark::DoNotOptimize(buffer.peak());
    }

private:
    std::vector<std::int16_t> sound_;
};

void setShare(benchmark::State& state, std::uint32_t frames) {
    state.counters["share"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * frames / kRate,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FullGraphCycle(benchmark::State& state) {
    const auto frames = static_cast<std::uint32_t>(state.range(0));
    auto owned = std::make_unique<OfflineAudioDevice>(kRate, 1, 2);
    OfflineAudioDevice& device = *owned;
    AudioDeviceLayer::install(std::move(owned));
    Tool tool(frames);
    auto stream = QVAudioStream::withDelegate(&tool);
    if (!stream || !stream->start()) {
        state.SkipWithError("the stream could not be built");
        return;
    }
    std::vector<float> input(frames, 0.25f);
    std::vector<float> output(std::size_t{frames} * 2);
    for (auto _ : state) {
        device.pump(frames, input.data(), output.data());
        benchmark::DoNotOptimize(output.data());
    }
    setShare(state, frames);
    stream.reset();
}

// The same samples moved without the graph: input in, sound out on two channels.
void BM_FullGraphCycleBaseline(benchmark::State& state) {
    const auto frames = static_cast<std::uint32_t>(state.range(0));
    std::vector<float> input(frames, 0.25f);
    std::vector<float> heard(frames);
    std::vector<float> sound(std::size_t{frames} * 2, 0.1f);
    std::vector<float> output(std::size_t{frames} * 2);
    for (auto _ : state) {
        std::memcpy(heard.data(), input.data(), frames * sizeof(float));
        std::memcpy(output.data(), sound.data(), output.size() * sizeof(float));
        benchmark::DoNotOptimize(heard.data());
        benchmark::DoNotOptimize(output.data());
    }
    setShare(state, frames);
}

} // namespace

BENCHMARK(BM_FullGraphCycle)->Arg(256)->Arg(512)->Arg(1024);
BENCHMARK(BM_FullGraphCycleBaseline)->Arg(256)->Arg(512)->Arg(1024);

BENCHMARK_MAIN();
