#include "AudioRun.h"

#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"

#include <chrono>
#include <cstdio>
#include <ostream>

bool runStream(QVAudioStream& stream, const std::function<bool()>& finished,
               const std::function<void()>& tick) {
    fretkit::QueueDispatcher& queue = fretkit::MainThread::defaultQueue();
    while (!finished() && stream.isRunning()) {
        queue.pumpUntil([&] { return finished() || !stream.isRunning(); },
                        std::chrono::milliseconds(100));
        tick();
    }
    const bool done = finished();
    stream.stop();
    queue.pump(); // a failure reported while stopping is shown before the command ends
    return done;
}

bool runStream(QVAudioStream& stream, const std::function<bool()>& finished,
               const std::function<double()>& seconds, const std::string& doing,
               std::ostream& err) {
    auto nextReport = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    return runStream(stream, finished, [&] {
        if (std::chrono::steady_clock::now() >= nextReport) {
            char line[64];
            std::snprintf(line, sizeof(line), "%.1f s", seconds());
            err << doing << ' ' << line << '\n';
            nextReport += std::chrono::seconds(1);
        }
    });
}
