#include "TuneListener.h"

#include "audio/QVAudioBuffer.h"
#include "tuner/TNTunerEngine.h"

#include <algorithm>

void TuneListener::input(QVAudioBuffer& buffer, const QVAudioTimeStamp&, bool) {
    const std::int16_t* samples = buffer.channel(0);
    const std::uint32_t count = buffer.frames();
    if (samples == nullptr) {
        return;
    }
    std::uint32_t done = 0;
    while (done < count) {
        const std::uint32_t chunk = framesPerPass_ == 0
                                        ? count - done
                                        : std::min(count - done, framesPerPass_ - sincePass_);
        const std::uint64_t at = frames_.load(std::memory_order_relaxed);
        engine_.input(samples + done, chunk, static_cast<double>(at));
        frames_.store(at + chunk, std::memory_order_release);
        done += chunk;
        if (framesPerPass_ != 0 && (sincePass_ += chunk) == framesPerPass_) {
            sincePass_ = 0;
            engine_.analyseOnce();
        }
    }
}
