// The pitch estimator's cost. Our FFT is measured against FFTW (single precision, measured
// plans) at the tuner's size and at a typical buffer size, and one detectFrequency pass at the
// tuner's frame of 16384 points against the same two-transform pipeline built on FFTW, all in
// the same run: the figures to compare are the ratios. Our pass includes the measurement of the
// fundamental partial, which the FFTW pipeline leaves out; a second case times our pass on a
// frame that holds an attack, where that measurement runs in the time domain.
#include "f0est/AFFrequencyDetector.h"
#include "f0est/nu_dsp_fft.h"
#include "support/LogCapture.h"
#include "support/Signals.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstring>
#include <fftw3.h>
#include <random>
#include <vector>

namespace {

constexpr double kRate = 44100.0;

std::vector<nu_dsp_complex_f> randomSignal(std::size_t n) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::vector<nu_dsp_complex_f> x(n);
    for (auto& c : x) {
        c = {value(random), value(random)};
    }
    return x;
}

void fftOurs(benchmark::State& state) {
    const auto log2Size = static_cast<std::uint32_t>(state.range(0));
    const std::size_t n = std::size_t{1} << log2Size;
    nu_dsp_fft_cf_t* plan = nullptr;
    nu_dsp_fft_cf__create(log2Size, &plan);
    const auto in = randomSignal(n);
    std::vector<nu_dsp_complex_f> out(n);
    for (auto _ : state) {
        nu_dsp_fft_cf__do_fft(plan, in.data(), out.data());
        benchmark::DoNotOptimize(out.data());
    }
    nu_dsp_fft_cf__destroy(plan);
}

void fftFftw(benchmark::State& state) {
    const int n = 1 << state.range(0);
    auto* in = fftwf_alloc_complex(static_cast<std::size_t>(n));
    auto* out = fftwf_alloc_complex(static_cast<std::size_t>(n));
    fftwf_plan plan = fftwf_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
    const auto signal = randomSignal(static_cast<std::size_t>(n));
    std::memcpy(in, signal.data(), signal.size() * sizeof(nu_dsp_complex_f));
    for (auto _ : state) {
        fftwf_execute(plan);
        benchmark::DoNotOptimize(out);
    }
    fftwf_destroy_plan(plan);
    fftwf_free(out);
    fftwf_free(in);
}

class Recorder : public AFFrequencyDetectorDelegate {
public:
    void detectedFrequency(double frequency, double) override { last = frequency; }
    double last = 0.0;
};

// One pass over a frame whose newest `sinceAttack` samples are a pluck and the rest silence.
void detect(benchmark::State& state, std::size_t sinceAttack) {
    LogCapture log;
    auto detector = AFFrequencyDetector::create(kRate, 75.0, 700.0, 14);
    Recorder recorder;
    detector->setDelegate(&recorder);
    const auto samples = signals::pluck(signals::Pluck{}, kRate);
    std::vector<float> frame(16384, 0.0f);
    std::copy(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(sinceAttack),
              frame.end() - static_cast<std::ptrdiff_t>(sinceAttack));
    detector->submitAudio(frame.data(), 16384, 0.0);
    for (auto _ : state) {
        detector->detectFrequency();
    }
    benchmark::DoNotOptimize(recorder.last);
}

void detectOurs(benchmark::State& state) {
    detect(state, 16384);
}

void detectOursAfterAttack(benchmark::State& state) {
    detect(state, 5000);
}

// The same pass on FFTW: frame, forward transform, power spectrum, inverse transform,
// normalisation and the scan for positive regions and their peaks.
void detectFftw(benchmark::State& state) {
    constexpr int n = 16384;
    constexpr int half = n / 2;
    auto* in = fftwf_alloc_complex(n);
    auto* out = fftwf_alloc_complex(n);
    fftwf_plan forward = fftwf_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
    fftwf_plan backward = fftwf_plan_dft_1d(n, in, out, FFTW_BACKWARD, FFTW_MEASURE);
    const auto samples = signals::pluck(signals::Pluck{}, kRate);
    std::vector<float> norm(half);
    std::vector<int> peaks(n / 20);
    for (auto _ : state) {
        for (int i = 0; i < half; ++i) {
            in[i][0] = samples[static_cast<std::size_t>(i)];
            in[i][1] = 0.0f;
        }
        std::memset(in + half, 0, sizeof(fftwf_complex) * half);
        fftwf_execute(forward);
        for (int k = 0; k < n; ++k) {
            in[k][0] = out[k][0] * out[k][0] + out[k][1] * out[k][1];
            in[k][1] = 0.0f;
        }
        fftwf_execute(backward);
        const float gain = 1.0f / out[0][0];
        for (int lag = 0; lag < half; ++lag) {
            norm[static_cast<std::size_t>(lag)] = gain * out[lag][0];
        }
        std::size_t count = 0;
        int lag = 0;
        while (lag < half && norm[static_cast<std::size_t>(lag)] > 0.0f) {
            ++lag;
        }
        int peak = -1;
        for (; lag < half && count < peaks.size(); ++lag) {
            const float value = norm[static_cast<std::size_t>(lag)];
            if (value > 0.0f) {
                if (peak < 0 || value > norm[static_cast<std::size_t>(peak)]) {
                    peak = lag;
                }
            } else if (peak >= 0) {
                peaks[count++] = peak;
                peak = -1;
            }
        }
        benchmark::DoNotOptimize(peaks.data());
        benchmark::DoNotOptimize(count);
    }
    fftwf_destroy_plan(backward);
    fftwf_destroy_plan(forward);
    fftwf_free(out);
    fftwf_free(in);
}

} // namespace

BENCHMARK(fftOurs)->Arg(10)->Arg(14)->Unit(benchmark::kMicrosecond);
BENCHMARK(fftFftw)->Arg(10)->Arg(14)->Unit(benchmark::kMicrosecond);
BENCHMARK(detectOurs)->Unit(benchmark::kMicrosecond);
BENCHMARK(detectOursAfterAttack)->Unit(benchmark::kMicrosecond);
BENCHMARK(detectFftw)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
