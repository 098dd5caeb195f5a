#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"
#include "foundation/Bundle.h"
#include "metronome/MTBeatEngine.h"
#include "metronome/MTSettings.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>

// One hour of clicks at 97 BPM in 512-frame buffers through the beat engine, against a baseline
// that only clears the buffers. "share" is the render cost as a part of real time; "vs_clear"
// the cost over the baseline's, timed in the same run. A drift pass reports the largest
// distance, in frames, between a click onset and round(k x 60/97 x 44100).

namespace {

constexpr double kRate = 44100.0;
constexpr unsigned kTempo = 97;
constexpr std::uint32_t kFrames = 512;
constexpr double kHour = 3600.0;
const auto kBuffers = static_cast<std::uint32_t>(std::ceil(kHour * kRate / kFrames));

double clearHour(QVAudioBuffer& buffer) {
    const auto start = std::chrono::steady_clock::now();
    for (std::uint32_t b = 0; b < kBuffers; ++b) {
        buffer.clear();
        benchmark::DoNotOptimize(buffer.channel(0));
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ClearOnlyHour(benchmark::State& state) {
    auto buffer = QVAudioBuffer::bufferWithChannels(2, kFrames);
    for (auto _ : state) {
        clearHour(*buffer);
    }
    state.counters["share"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kHour,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_MetronomeHour(benchmark::State& state) {
    auto buffer = QVAudioBuffer::bufferWithChannels(2, kFrames);
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), kRate, kTempo);
    engine.setSoundData(
        MTSettings::loadClick(fretkit::Bundle::main(), MTSettings::kDefaultSoundName, nullptr)
            .value_or(std::vector<std::int16_t>(1323, 1000)));
    engine.setTimeSignature(MTTimeSignature(4));
    const QVAudioTimeStamp stamp;
    double engineSeconds = 0.0;
    double clearSeconds = 0.0;
    for (auto _ : state) {
        engine.start();
        const auto start = std::chrono::steady_clock::now();
        for (std::uint32_t b = 0; b < kBuffers; ++b) {
            buffer->clear();
            engine.renderAudioToBuffer(*buffer, stamp);
            benchmark::ClobberMemory();
        }
        engineSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        clearSeconds += clearHour(*buffer);
        state.ResumeTiming();
    }
    state.counters["share"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kHour,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["vs_clear"] = engineSeconds / clearSeconds;
}

// Renders the hour with a click that sounds from its first sample and measures every onset.
void BM_MetronomeHourDrift(benchmark::State& state) {
    auto buffer = QVAudioBuffer::bufferWithChannels(2, kFrames);
    MTBeatEngine engine(std::make_shared<QVRenderLock>(), kRate, kTempo);
    engine.setSoundData(std::vector<std::int16_t>(100, 1000));
    const QVAudioTimeStamp stamp;
    double largest = 0.0;
    std::uint64_t beats = 0;
    for (auto _ : state) {
        engine.start();
        std::int16_t previous = 0;
        beats = 0;
        for (std::uint32_t b = 0; b < kBuffers; ++b) {
            buffer->clear();
            engine.renderAudioToBuffer(*buffer, stamp);
            const std::int16_t* samples = buffer->channel(0);
            for (std::uint32_t i = 0; i < kFrames; ++i) {
                if (samples[i] != 0 && previous == 0) {
                    const double frame = static_cast<double>(b) * kFrames + i;
                    const double grid =
                        std::round(static_cast<double>(beats) * 60.0 / kTempo * kRate);
                    largest = std::max(largest, std::abs(frame - grid));
                    ++beats;
                }
                previous = samples[i];
            }
        }
    }
    state.counters["beats"] = static_cast<double>(beats);
    state.counters["max_distance_frames"] = largest;
}

} // namespace

BENCHMARK(BM_ClearOnlyHour)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MetronomeHour)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MetronomeHourDrift)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
