#include "nu_dsp_f0est.h"

#include "foundation/Log.h"
#include "nu_dsp_partial.h"

#include <cmath>
#include <cstdlib>
#include <new>
#include <numbers>

using fretkit::Log;

namespace {

// The frame is half the transform, and it must fit in the ring buffer.
constexpr std::uint32_t kLargestLog2Size = nu_dsp_f0est_internal_t::kLog2FifoSize + 1;

template <class T>
T* allocate(std::uint32_t count) {
    return static_cast<T*>(std::calloc(count == 0 ? 1 : count, sizeof(T)));
}

bool acquireBuffers(nu_dsp_f0est_internal_t& me, std::uint32_t log2Size) {
    const std::uint32_t n = 1u << log2Size;
    if (!me.fifo.valid()) {
        Log::line("nu_dsp_f0est -- init -- couldn't malloc fifo");
        return false;
    }
    if ((me.frame = allocate<float>(n / 2)) == nullptr) {
        Log::line("nu_dsp_f0est -- init -- couldn't malloc frame");
        return false;
    }
    if ((me.fft_in = allocate<nu_dsp_complex_f>(n)) == nullptr) {
        Log::line("nu_dsp_f0est -- init -- couldn't malloc fft_in");
        return false;
    }
    if ((me.spectrum = allocate<nu_dsp_complex_f>(n)) == nullptr) {
        Log::line("nu_dsp_f0est -- init -- couldn't malloc spectrum");
        return false;
    }
    if ((me.fft_out = allocate<nu_dsp_complex_f>(n)) == nullptr) {
        Log::line("nu_dsp_f0est -- init -- couldn't malloc fft_out");
        return false;
    }
    if ((me.auto_norm = allocate<float>(n / 2)) == nullptr) {
        Log::line("nu_dsp_f0est -- init -- couldn't malloc auto_norm");
        return false;
    }
    if (nu_dsp_fft_cf__create(log2Size, &me.fft_cf) != 0 || me.fft_cf == nullptr) {
        Log::line("nu_dsp_f0est -- init -- couldn't create fft_cf");
        return false;
    }
    if ((me.regions = allocate<nu_dsp_f0est_region_t>(n / 20)) == nullptr) {
        Log::line("nu_dsp_f0est -- init -- couldn't malloc regions");
        return false;
    }
    if (nu_dsp_partial__create_window(n / 2, &me.partial_window) != 0) {
        Log::line("nu_dsp_f0est -- init -- couldn't create partial_window");
        return false;
    }
    return true;
}

// The frame: the most recent H samples, zero-padded to N. Answers false when the audio thread kept
// overwriting the samples while they were copied (a stalled analysis thread): the pass is then
// skipped rather than run on a window with a seam.
bool copyFrame(nu_dsp_f0est_internal_t& me, std::uint32_t half) {
    if (!me.fifo.copyNewest(me.frame, half)) {
        return false;
    }
    for (std::uint32_t i = 0; i < half; ++i) {
        me.fft_in[i] = {me.frame[i], 0.0f};
    }
    for (std::uint32_t i = half; i < me.size; ++i) {
        me.fft_in[i] = {0.0f, 0.0f};
    }
    return true;
}

// The autocorrelation through the power spectrum, normalised by its value at lag
// 0, which is the frame's energy. The transform stays in `spectrum` for the last stage. Answers
// 0 for a frame without energy (silence), which has no periodicity.
float autocorrelate(nu_dsp_f0est_internal_t& me, std::uint32_t half) {
    nu_dsp_fft_cf__do_fft(me.fft_cf, me.fft_in, me.spectrum);
    for (std::uint32_t k = 0; k < me.size; ++k) {
        const nu_dsp_complex_f x = me.spectrum[k];
        me.fft_in[k] = {x.re * x.re + x.im * x.im, 0.0f};
    }
    nu_dsp_fft_cf__do_ifft(me.fft_cf, me.fft_in, me.fft_out);
    const float energy = me.fft_out[0].re;
    if (!(energy > 0.0f) || !std::isfinite(energy)) {
        return 0.0f;
    }
    const float gain = 1.0f / energy;
    for (std::uint32_t lag = 0; lag < half; ++lag) {
        me.auto_norm[lag] = gain * me.fft_out[lag].re;
    }
    return energy;
}

// The lag offset of the vertex of the parabola through the values around a peak, in
// [-1/2, +1/2]; 0 when the three values do not curve downwards.
double peakOffset(double a, double b, double c) {
    const double curvature = 2.0 * b - a - c;
    return curvature > 0.0 ? (c - a) / (2.0 * curvature) : 0.0;
}

nu_dsp_f0est_region_t closeRegion(const nu_dsp_f0est_internal_t& me, std::uint32_t start,
                                  std::uint32_t end, std::uint32_t peak, float value) {
    const auto a = static_cast<double>(me.auto_norm[peak - 1]);
    const auto b = static_cast<double>(me.auto_norm[peak]);
    const auto c = static_cast<double>(me.auto_norm[peak + 1]);
    const double period = (peak + peakOffset(a, b, c)) / me.sampleRate;
    return {start, end, peak, period, value};
}

// The positive regions after the first crossing of zero, each with its peak.
// A region still open at the last lag is dropped. Answers how many were recorded.
std::uint32_t findRegions(nu_dsp_f0est_internal_t& me, std::uint32_t half) {
    std::uint32_t lag = 0;
    while (lag < half && me.auto_norm[lag] > 0.0f) {
        ++lag;
    }
    std::uint32_t count = 0;
    bool open = false;
    std::uint32_t start = 0;
    std::uint32_t peak = 0;
    float peakValue = 0.0f;
    for (; lag < half && count < me.regionCapacity; ++lag) {
        const float value = me.auto_norm[lag];
        if (!open) {
            if (value > 0.0f) {
                open = true;
                start = peak = lag;
                peakValue = value;
            }
        } else if (value > 0.0f) {
            if (value > peakValue) {
                peak = lag;
                peakValue = value;
            }
        } else {
            me.regions[count++] = closeRegion(me, start, lag - 1, peak, peakValue);
            open = false;
        }
    }
    return count;
}

// The region's value with the taper of the zero-padded frame taken out: the product sum at lag
// L has only H - L terms, so its normalised value is scaled by (H - L) / H. Beyond H / 2 the few
// remaining terms make the value too noisy to scale up further (near H a handful of products
// would outweigh every true period), so the factor stops at 2.
double untaperedValue(const nu_dsp_f0est_region_t& region, std::uint32_t half) {
    const double taper = static_cast<double>(half - region.peak) / half;
    return static_cast<double>(region.value) / std::fmax(taper, 0.5);
}

// The first region that comes within the peak threshold of the strongest one, comparing
// untapered values so that a strong harmonic at a short lag does not beat the fundamental
// merely because its lag has more terms.
std::uint32_t chooseFundamental(const nu_dsp_f0est_internal_t& me, std::uint32_t count,
                                std::uint32_t half) {
    double strongest = 0.0;
    for (std::uint32_t i = 0; i < count; ++i) {
        strongest = std::fmax(strongest, untaperedValue(me.regions[i], half));
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (untaperedValue(me.regions[i], half) > me.peakThreshold * strongest) {
            return i;
        }
    }
    return count - 1;
}

// Where the newest attack in the frame begins: the last block of 256 samples whose energy jumps
// to more than eight times the block before it and to a tenth of the loudest block or more. 0
// when the frame holds no attack (a note that rings on, or one that fills the frame).
std::uint32_t attackStart(const float* frame, std::uint32_t half) {
    constexpr std::uint32_t kBlock = 256;
    constexpr std::uint32_t kMostBlocks = (1u << (kLargestLog2Size - 1)) / kBlock;
    const std::uint32_t blocks = half / kBlock;
    double energy[kMostBlocks];
    double loudest = 0.0;
    for (std::uint32_t b = 0; b < blocks; ++b) {
        // Four sums side by side, so that the additions need not wait for one another.
        float sums[4] = {};
        for (std::uint32_t i = b * kBlock; i < (b + 1) * kBlock; i += 4) {
            for (std::uint32_t j = 0; j < 4; ++j) {
                sums[j] += frame[i + j] * frame[i + j];
            }
        }
        energy[b] = static_cast<double>((sums[0] + sums[1]) + (sums[2] + sums[3]));
        loudest = std::fmax(loudest, energy[b]);
    }
    for (std::uint32_t b = blocks; b-- > 1;) {
        if (energy[b] > 8.0 * energy[b - 1] && energy[b] >= 0.1 * loudest) {
            return b * kBlock;
        }
    }
    return 0;
}

// The last stage: the frequency of the fundamental partial near the period's frequency, or the
// period's own when the frame shows no such partial (a microphone deaf to the lowest notes'
// fundamentals, noise), so that the stage never moves the estimate to another partial. A frame
// that holds an attack is measured over the longest span after it that is a power-of-two part of
// the frame.
double fundamentalPartial(const nu_dsp_f0est_internal_t& me, double energy, double periodic) {
    const nu_dsp_partial_search_t search{
        me.sampleRate, periodic, periodic * (std::exp2(me.partialToleranceCents / 1200.0) - 1.0),
        me.partialMinimumShare};
    const std::uint32_t half = me.size / 2;
    const std::uint32_t settled = half - attackStart(me.frame, half);
    std::uint32_t shift = 0;
    while ((half >> shift) > settled) {
        ++shift;
    }
    nu_dsp_partial_t partial{};
    const bool found =
        shift == 0
            ? nu_dsp_partial__measure_spectrum(me.spectrum, me.size, energy, search, &partial)
            : nu_dsp_partial__measure_samples(me.partial_window, shift,
                                              me.frame + half - (half >> shift), search, &partial);
    if (!found) {
        return periodic;
    }
    // The partial weighed against the period by their expected errors: one buried in noise (a
    // low string's fundamental through a small microphone) moves the reading only as far as its
    // precision deserves.
    const double partialCents = 1200.0 / std::numbers::ln2 * partial.uncertainty / periodic;
    const double periodCents = me.periodDeviationCents;
    const double weight =
        periodCents * periodCents / (periodCents * periodCents + partialCents * partialCents);
    return periodic + weight * (partial.frequency - periodic);
}

} // namespace

nu_dsp_f0est_internal_t* nu_dsp_f0est__create(double sampleRate, std::uint32_t log2Size) {
    Log::line("nu_dsp_f0est -- init -- entry point");
    if (log2Size > kLargestLog2Size) {
        Log::format("nu_dsp_f0est -- init -- window size %u is larger than %u", log2Size,
                    kLargestLog2Size);
        return nullptr;
    }
    auto* me = new (std::nothrow) nu_dsp_f0est_internal_t;
    if (me == nullptr) {
        Log::line("nu_dsp_f0est -- init -- malloc() failed for me_tmp.");
        return nullptr;
    }
    if (!acquireBuffers(*me, log2Size)) {
        nu_dsp_f0est__destroy(me);
        return nullptr;
    }
    me->sampleRate = sampleRate;
    me->log2Size = log2Size;
    me->size = 1u << log2Size;
    me->regionCapacity = me->size / 20;
    return me;
}

void nu_dsp_f0est__destroy(nu_dsp_f0est_internal_t* me) {
    if (me == nullptr) {
        return;
    }
    nu_dsp_partial__destroy_window(me->partial_window);
    std::free(me->regions);
    nu_dsp_fft_cf__destroy(me->fft_cf);
    std::free(me->auto_norm);
    std::free(me->fft_out);
    std::free(me->spectrum);
    std::free(me->fft_in);
    std::free(me->frame);
    delete me;
}

void nu_dsp_f0est__submit(nu_dsp_f0est_internal_t* me, const float* samples, std::uint32_t frames) {
    me->fifo.write(samples, frames);
}

bool nu_dsp_f0est__detect(nu_dsp_f0est_internal_t* me, double* frequency, double* quality) {
    const std::uint32_t half = me->size / 2;
    if (!copyFrame(*me, half)) {
        return false;
    }
    const float energy = autocorrelate(*me, half);
    if (energy == 0.0f) {
        return false;
    }
    const std::uint32_t count = findRegions(*me, half);
    if (count == 0) {
        return false;
    }
    const std::uint32_t f = chooseFundamental(*me, count, half);
    const nu_dsp_f0est_region_t& fundamental = me->regions[f];
    // Confirm the period by the longest strong region that is close to a whole number
    // of fundamental periods; the fundamental itself always qualifies.
    for (std::uint32_t i = count; i-- > f;) {
        const nu_dsp_f0est_region_t& region = me->regions[i];
        if (static_cast<double>(region.value) < 0.5 * static_cast<double>(fundamental.value)) {
            continue;
        }
        const double ratio = region.period / fundamental.period;
        if (std::fabs(ratio - std::round(ratio)) < me->harmonicTolerance) {
            *frequency = fundamentalPartial(*me, static_cast<double>(energy),
                                            std::round(ratio) / region.period);
            *quality = static_cast<double>(fundamental.value);
            return true;
        }
    }
    return false;
}
