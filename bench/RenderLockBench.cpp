#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"
#include "audio/QVRenderLock.h"
#include "chords/CHStringPlayer.h"
#include "host/RealtimeThread.h"
#include "metronome/MTBeatEngine.h"
#include "scales/SCNotePlayer.h"

#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

// How long the audio thread waits for the render lock while an interface thread reads the
// engines' values (the metronome's tempo and position, which strings sound, how many scale
// notes there are) as fast as it can. The audio thread runs at real-time priority (when the
// system allows it) a 64-frame cycle every 1.45 ms: take the lock, render the three engines,
// let go, sleep. Each case first runs alone ("alone": no reader), then with the reader.
//
//   LockedReadsPlainMutex  the reader takes a plain mutex around its reads, as a screen did
//   LockedReadsInheriting  the same with the render lock, which lends its waiter's priority
//   AtomicReads            the reader reads the engines' atomic words and never takes the lock
//
// Counters: median and 99.9th percentile of the wait in microseconds, with the reader and alone,
// and the 99.9th percentile's ratio to the one alone.

namespace {

using fretkit::host::makeCurrentThreadRealtime;

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kFrames = 64;
constexpr auto kPeriod = std::chrono::microseconds(1451);
constexpr int kAloneCycles = 1000;

enum class Reads { LockedPlainMutex, LockedInheriting, Atomic };

struct Engines {
    QVRenderLockPtr lock = std::make_shared<QVRenderLock>();
    MTBeatEngine metronome{lock, 44100.0, 120};
    fretkit::CHStringPlayer strings{lock, 44100};
    fretkit::SCNotePlayer notes{lock, 44100};

    Engines() {
        metronome.setSoundData(std::vector<std::int16_t>(2000, 1000));
        metronome.start();
        strings.pluckString(2);
    }
    void read() {
        benchmark::DoNotOptimize(metronome.tempo());
        benchmark::DoNotOptimize(metronome.currentTick());
        benchmark::DoNotOptimize(metronome.isPlaying());
        for (unsigned s = 0; s < 6; ++s) {
            benchmark::DoNotOptimize(strings.isSounding(s));
        }
        benchmark::DoNotOptimize(notes.noteCount());
    }
};

struct Percentiles {
    double median;
    double p999;
};

Percentiles percentiles(std::vector<double>& waits) {
    std::sort(waits.begin(), waits.end());
    return {waits[waits.size() / 2], waits[std::min(waits.size() - 1, waits.size() * 999 / 1000)]};
}

// Runs `cycles` audio cycles under `lock`; answers each cycle's wait for it, in microseconds.
template <class Lock>
std::vector<double> cycles(Engines& engines, Lock& lock, int count) {
    auto buffer = QVAudioBuffer::bufferWithChannels(2, kFrames);
    const QVAudioTimeStamp stamp;
    std::vector<double> waits;
    waits.reserve(static_cast<std::size_t>(count));
    auto deadline = Clock::now();
    for (int i = 0; i < count; ++i) {
        const auto before = Clock::now();
        lock.lock();
        const auto after = Clock::now();
        buffer->clear();
        engines.metronome.renderAudioToBuffer(*buffer, stamp);
        engines.strings.renderAudioToBuffer(*buffer, stamp);
        engines.notes.renderAudioToBuffer(*buffer, stamp);
        lock.unlock();
        waits.push_back(std::chrono::duration<double, std::micro>(after - before).count());
        deadline += kPeriod;
        std::this_thread::sleep_until(deadline);
    }
    return waits;
}

template <class Lock>
void measure(benchmark::State& state, Engines& engines, Lock& lock, Reads reads) {
    std::vector<double> alone = cycles(engines, lock, kAloneCycles);
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done.load(std::memory_order_relaxed)) {
            if (reads == Reads::Atomic) {
                engines.read();
            } else {
                std::lock_guard guard(lock);
                engines.read();
            }
        }
    });
    std::vector<double> waits;
    for (auto _ : state) {
        waits = cycles(engines, lock, static_cast<int>(state.range(0)));
    }
    done.store(true);
    reader.join();
    const Percentiles withReader = percentiles(waits);
    const Percentiles withoutReader = percentiles(alone);
    state.counters["median_us"] = withReader.median;
    state.counters["p999_us"] = withReader.p999;
    state.counters["alone_median_us"] = withoutReader.median;
    state.counters["alone_p999_us"] = withoutReader.p999;
    state.counters["p999_vs_alone"] = withReader.p999 / withoutReader.p999;
}

void BM_RenderLockWait(benchmark::State& state, Reads reads) {
    const bool realTime = makeCurrentThreadRealtime();
    state.SetLabel(realTime ? "audio thread at real-time priority"
                            : "audio thread at normal priority");
    Engines engines;
    if (reads == Reads::LockedPlainMutex) {
        std::mutex plain;
        measure(state, engines, plain, reads);
    } else {
        measure(state, engines, *engines.lock, reads);
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_RenderLockWait, LockedReadsPlainMutex, Reads::LockedPlainMutex)
    ->Arg(4000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderLockWait, LockedReadsInheriting, Reads::LockedInheriting)
    ->Arg(4000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderLockWait, AtomicReads, Reads::Atomic)
    ->Arg(4000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
