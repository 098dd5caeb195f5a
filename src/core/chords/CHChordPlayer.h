#pragma once

#include "CHChord.h"
#include "CHStringPlayer.h"
#include "foundation/OperationQueue.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace fretkit {

class Bundle;

// The chords screen's playback: the shown shape's six string samples, loaded in the background
// whenever the shape changes, played by a six-string player. Each string's sample is two seconds
// long; a string whose sample is missing (or not loaded yet) sounds silent.
class CHChordPlayer {
public:
    // `renderLock`: the lock of the stream the strings play through (never null).
    CHChordPlayer(QVRenderLockPtr renderLock, const Bundle& bundle, double rate);
    ~CHChordPlayer();
    CHChordPlayer(const CHChordPlayer&) = delete;
    CHChordPlayer& operator=(const CHChordPlayer&) = delete;

    // The stream's delegate.
    CHStringPlayer& player() { return player_; }

    // Main thread. Stops every string at once, clears the samples and loads the new shape's,
    // cancelling the load still running for the previous one.
    void setChord(const CHChord& chord);
    void pluckString(unsigned string) { player_.pluckString(string); }
    void stopPlayback() { player_.stopPlayback(); }

    // Blocks until the current shape's samples are loaded (for tools that render at once).
    void waitUntilLoaded();
    // What the loads since the last shape change could not find or read.
    std::vector<std::string> problems() const;

private:
    void deliver(std::uint64_t generation, unsigned string, std::unique_ptr<QVAudioBuffer> sample);

    const Bundle& bundle_;
    const double rate_;
    CHStringPlayer player_;
    // Under the render lock: the shape the samples are loaded for; a load for an older shape
    // delivers nothing.
    std::uint64_t generation_ = 0;
    mutable std::mutex problemsMutex_;
    std::vector<std::string> problems_;
    OperationQueue queue_; // last: its loader is stopped before the rest goes
};

} // namespace fretkit
