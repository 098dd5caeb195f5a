#include "nu_dsp_partial.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <numbers>

namespace {

using Complex = std::complex<double>;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A four-term cosine-sum window whose value and slope vanish at both ends of the frame: side
// lobes below -93 dB that fall by 18 dB an octave, so that even a partial far stronger than the
// measured one (the octave of a low string through a small microphone) leaks little into it.
// w(n) = a0 - a1 cos(2 pi n / L) + a2 cos(4 pi n / L) - a3 cos(6 pi n / L).
constexpr double kWindow[] = {0.355768, 0.487396, 0.144232, 0.012604};
constexpr int kTerms = 4;
// Half the width of the window's main lobe, in bins of the measured span: a partial needs its
// neighbours (the next partial, its own mirror image below zero) outside it.
constexpr double kMainLobeBins = 4.0;
// How many bins either side of the expected frequency the spectrum is searched at most.
constexpr std::int64_t kMostReach = 16;

double sign(int m) {
    return m % 2 == 1 ? -1.0 : 1.0;
}

// The windowed spectrum at bin k of the N-point transform and the spectrum taken with the
// window's slope. The frame holds H = N/2 samples, so cos(2 pi m n / H) shifts the spectrum by 2m
// bins each way, and sin by the same bins as (below - above) / 2i.
struct Windowed {
    Complex value;
    Complex slope;
};

Complex binAt(const nu_dsp_complex_f* spectrum, std::uint32_t size, std::int64_t k) {
    // The transform is periodic: a bin below zero is one from the top.
    const nu_dsp_complex_f x = spectrum[static_cast<std::uint64_t>(k) & (size - 1)];
    return {static_cast<double>(x.re), static_cast<double>(x.im)};
}

Windowed windowedAt(const nu_dsp_complex_f* spectrum, std::uint32_t size, std::int64_t k) {
    const double half = size / 2.0;
    Windowed w{kWindow[0] * binAt(spectrum, size, k), {0.0, 0.0}};
    for (int m = 1; m < kTerms; ++m) {
        const Complex below = binAt(spectrum, size, k - 2 * m);
        const Complex above = binAt(spectrum, size, k + 2 * m);
        w.value += sign(m) * kWindow[m] * 0.5 * (below + above);
        w.slope +=
            -sign(m) * kWindow[m] * (kTwoPi * m / half) * (below - above) / Complex(0.0, 2.0);
    }
    return w;
}

// The ratio of the sums of squares of the window's slope and of the window over `span` points:
// sum w'^2 / sum w^2 = (2 pi / span)^2 (sum m^2 a_m^2 / 2) / (a0^2 + sum a_m^2 / 2).
double slopeToValueEnergy(std::uint32_t span) {
    double slope = 0.0;
    double value = kWindow[0] * kWindow[0];
    for (int m = 1; m < kTerms; ++m) {
        slope += m * m * kWindow[m] * kWindow[m] / 2.0;
        value += kWindow[m] * kWindow[m] / 2.0;
    }
    const double rate = kTwoPi / span;
    return rate * rate * slope / value;
}

// For x(n) = A e^((-a + i w0) n), summing by parts gives slope = (a - i (w0 - w)) value at the
// frequency w (radians per sample) where both were taken: the imaginary part of their ratio is
// the partial's offset from w, the real part its decay. Noise of power `noise` per windowed bin
// moves the offset by sqrt(slopeToValueEnergy / (2 SNR)) radians per sample, one deviation.
bool finish(const Windowed& at, double omega, double energy, double noise, std::uint32_t span,
            const nu_dsp_partial_search_t& search, nu_dsp_partial_t* partial) {
    const Complex ratio = at.slope / at.value;
    const double frequency = (omega - ratio.imag()) * search.sampleRate / kTwoPi;
    const double share = 2.0 * std::norm(at.value) / (kWindow[0] * kWindow[0] * span * energy);
    if (!std::isfinite(frequency) || std::fabs(frequency - search.near) > search.tolerance ||
        !(share >= search.minimumShare)) {
        return false;
    }
    const double spread = std::sqrt(slopeToValueEnergy(span) * noise / (2.0 * std::norm(at.value)));
    *partial = {frequency, share, ratio.real() * search.sampleRate,
                spread * search.sampleRate / kTwoPi};
    return true;
}

bool separable(double near, double sampleRate, std::uint32_t span) {
    return near > 0.0 && kMainLobeBins * sampleRate / span < 0.9 * near && near < 0.45 * sampleRate;
}

// Midway between the partial near `search.near` and the next one up (or, near the top of the
// band, the one below): where a string puts nothing, and noise and leakage alone fill a bin.
double betweenPartials(const nu_dsp_partial_search_t& search) {
    return (1.5 * search.near < 0.45 * search.sampleRate ? 1.5 : 0.5) * search.near;
}

// The mean power of the windowed spectrum over five bins between the partials.
double noiseBeside(const nu_dsp_complex_f* spectrum, std::uint32_t size,
                   const nu_dsp_partial_search_t& search) {
    const auto k =
        static_cast<std::int64_t>(std::llround(betweenPartials(search) * size / search.sampleRate));
    double sum = 0.0;
    for (std::int64_t j = k - 2; j <= k + 2; ++j) {
        sum += std::norm(windowedAt(spectrum, size, j).value);
    }
    return sum / 5.0;
}

// e^(-i w n) for four successive samples n, each turned on by four samples at a time: four
// short chains of multiplications instead of one long one, which would bound the loop's speed.
constexpr std::uint32_t kLanes = 4;

struct Lanes {
    explicit Lanes(double omega)
        : turnRe(std::cos(kLanes * omega)), turnIm(-std::sin(kLanes * omega)) {
        for (std::uint32_t j = 0; j < kLanes; ++j) {
            re[j] = std::cos(omega * j);
            im[j] = -std::sin(omega * j);
        }
    }
    void turn() {
        for (std::uint32_t j = 0; j < kLanes; ++j) {
            const double next = re[j] * turnRe - im[j] * turnIm;
            im[j] = re[j] * turnIm + im[j] * turnRe;
            re[j] = next;
        }
    }

    double re[kLanes];
    double im[kLanes];
    double turnRe;
    double turnIm;
};

} // namespace

int nu_dsp_partial__create_window(std::uint32_t length, nu_dsp_partial_window_t** window) {
    *window = nullptr;
    auto* w =
        static_cast<nu_dsp_partial_window_t*>(std::calloc(1, sizeof(nu_dsp_partial_window_t)));
    if (w == nullptr) {
        return -1;
    }
    w->length = length;
    w->value = static_cast<double*>(std::calloc(length == 0 ? 1 : length, sizeof(double)));
    w->slope = static_cast<double*>(std::calloc(length == 0 ? 1 : length, sizeof(double)));
    if (w->value == nullptr || w->slope == nullptr) {
        nu_dsp_partial__destroy_window(w);
        return -1;
    }
    for (std::uint32_t n = 0; n < length; ++n) {
        for (int m = 0; m < kTerms; ++m) {
            const double rate = kTwoPi * m / length;
            w->value[n] += sign(m) * kWindow[m] * std::cos(rate * n);
            w->slope[n] -= sign(m) * kWindow[m] * rate * std::sin(rate * n);
        }
    }
    *window = w;
    return 0;
}

void nu_dsp_partial__destroy_window(nu_dsp_partial_window_t* window) {
    if (window != nullptr) {
        std::free(window->slope);
        std::free(window->value);
        std::free(window);
    }
}

bool nu_dsp_partial__measure_spectrum(const nu_dsp_complex_f* spectrum, std::uint32_t size,
                                      double energy, const nu_dsp_partial_search_t& search,
                                      nu_dsp_partial_t* partial) {
    if (!(energy > 0.0) || !separable(search.near, search.sampleRate, size / 2)) {
        return false;
    }
    // The bins that the tolerance spans around `near`, and one more on each side.
    const double binWidth = search.sampleRate / size;
    const auto k = static_cast<std::int64_t>(std::llround(search.near / binWidth));
    const auto reach = static_cast<std::int64_t>(
        std::clamp(std::ceil(search.tolerance / binWidth), 1.0, double{kMostReach}));
    const std::int64_t first = k - reach - 1;
    const auto count = static_cast<int>(2 * reach + 3);
    Windowed at[2 * kMostReach + 3];
    double power[2 * kMostReach + 3];
    for (int i = 0; i < count; ++i) {
        at[i] = windowedAt(spectrum, size, first + i);
        power[i] = std::norm(at[i].value);
    }
    // The peak: the strongest bin within reach, no lower than its neighbours.
    int peak = 1;
    for (int i = 2; i < count - 1; ++i) {
        if (power[i] > power[peak]) {
            peak = i;
        }
    }
    if (power[peak] < power[peak - 1] || power[peak] < power[peak + 1]) {
        return false;
    }
    const double omega = kTwoPi * static_cast<double>(first + peak) / size;
    return finish(at[peak], omega, energy, noiseBeside(spectrum, size, search), size / 2, search,
                  partial);
}

bool nu_dsp_partial__measure_samples(const nu_dsp_partial_window_t* window, std::uint32_t shift,
                                     const float* samples, const nu_dsp_partial_search_t& search,
                                     nu_dsp_partial_t* partial) {
    const std::uint32_t span = window->length >> shift;
    if (span < kLanes || !separable(search.near, search.sampleRate, span)) {
        return false;
    }
    // The window over the shorter span is the full one read at every 2^shift-th point, and its
    // slope per sample is 2^shift times steeper.
    const std::uint32_t step = 1u << shift;
    const double omega = kTwoPi * search.near / search.sampleRate;
    const double between = kTwoPi * betweenPartials(search) / search.sampleRate;
    Lanes partialAt(omega);
    Lanes noiseAt(between);
    double valueRe[kLanes] = {}, valueIm[kLanes] = {}, slopeRe[kLanes] = {}, slopeIm[kLanes] = {};
    double noiseRe[kLanes] = {}, noiseIm[kLanes] = {}, energy[kLanes] = {};
    for (std::uint32_t n = 0; n < span; n += kLanes) {
        for (std::uint32_t j = 0; j < kLanes; ++j) {
            const auto x = static_cast<double>(samples[n + j]);
            const double v = window->value[(n + j) * step] * x;
            const double s = window->slope[(n + j) * step] * x;
            valueRe[j] += v * partialAt.re[j];
            valueIm[j] += v * partialAt.im[j];
            slopeRe[j] += s * partialAt.re[j];
            slopeIm[j] += s * partialAt.im[j];
            noiseRe[j] += v * noiseAt.re[j];
            noiseIm[j] += v * noiseAt.im[j];
            energy[j] += x * x;
        }
        partialAt.turn();
        noiseAt.turn();
    }
    Windowed at{{0.0, 0.0}, {0.0, 0.0}};
    Complex noise{0.0, 0.0};
    double total = 0.0;
    for (std::uint32_t j = 0; j < kLanes; ++j) {
        at.value += Complex(valueRe[j], valueIm[j]);
        at.slope += static_cast<double>(step) * Complex(slopeRe[j], slopeIm[j]);
        noise += Complex(noiseRe[j], noiseIm[j]);
        total += energy[j];
    }
    if (!(total > 0.0)) {
        return false;
    }
    return finish(at, omega, total, std::norm(noise), span, search, partial);
}
