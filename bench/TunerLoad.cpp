// The analysis thread's share of one core while the tuner is fed a live 44.1 kHz signal: an
// "audio" thread delivers buffers at the pace of real time, the analysis thread estimates
// whenever new samples have arrived, and the main thread takes the results. The process's CPU
// time minus the feeding thread's is the analysis thread's (the main thread sleeps between
// pumps). Printed for several hardware buffer sizes.
#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"
#include "support/LogCapture.h"
#include "support/Signals.h"
#include "tuner/TNTunerEngine.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

constexpr double kRate = 44100.0;

double cpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void measure(std::uint32_t bufferFrames, double seconds) {
    auto engine = TNTunerEngine::create(kRate, TNTunings(fretkit::PlistValue()));
    std::size_t results = 0;
    engine->setResultHandler([&](const TNTunerResult&) { ++results; });
    signals::Pluck pluck;
    pluck.frequency = 110.0;
    pluck.seconds = seconds;
    pluck.decay = 0.3;
    const auto samples = signals::toInt16(signals::pluck(pluck, kRate));

    engine->startAnalysis();
    const double processStart = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    double feederCpu = 0.0;
    std::thread audio([&] {
        const double threadStart = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        auto due = std::chrono::steady_clock::now();
        const auto period = std::chrono::duration<double>(bufferFrames / kRate);
        for (std::size_t start = 0; start + bufferFrames <= samples.size(); start += bufferFrames) {
            engine->input(samples.data() + start, bufferFrames, static_cast<double>(start));
            due += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
            std::this_thread::sleep_until(due);
        }
        feederCpu = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - threadStart;
    });
    const auto wallStart = std::chrono::steady_clock::now();
    audio.join();
    engine->stopAnalysis();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double analysisCpu = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart - feederCpu;
    fretkit::MainThread::defaultQueue().pump();
    std::printf("%4u-frame buffers: analysis thread %.2f %% of one core (%zu results in %.1f s)\n",
                bufferFrames, 100.0 * analysisCpu / wall, results, wall);
}

} // namespace

int main() {
    LogCapture log;
    for (std::uint32_t frames : {256u, 512u, 1024u}) {
        measure(frames, 4.0);
    }
    return 0;
}
