#pragma once

#include "CFStringLibrary.h"
#include "chords/CHStringPlayer.h"

#include <array>
#include <string>

namespace fretkit {

// The chord finder's playback: each string sounds the sample of its tuning note plus the detune
// and its fret, taken from the library. A muted string, or one whose sample is missing, has no
// sample and is left out of playback entirely.
class CFStringPlayer {
public:
    static constexpr unsigned kStrings = CHStringPlayer::kStrings;

    // `renderLock`: the lock of the stream the strings play through (never null).
    CFStringPlayer(QVRenderLockPtr renderLock, const Bundle& bundle, double rate)
        : library_(bundle, rate), player_(std::move(renderLock)) {}

    CHStringPlayer& player() { return player_; }
    CFStringLibrary& library() { return library_; }
    const CFStringLibrary& library() const { return library_; }

    // The tuning's open strings, the thinnest string first (string s uses element 5 - s), and
    // the semitones added to every string. Take effect at the next loadAudioForString().
    void setTuning(const std::array<int, kStrings>& notes, int detune);
    void setFret(unsigned string, unsigned fret);
    void setMuted(unsigned string, bool muted);

    // Main thread: stops the string, then gives it the sample its state asks for (decoding it
    // when the library lacks it). Answers the reason when the sample is missing, else empty.
    std::string loadAudioForString(unsigned string);
    // Plays the string unless it is muted.
    void playString(unsigned string);

private:
    CFStringLibrary library_;
    CHStringPlayer player_; // no silent strings: a string without a sample is skipped
    std::array<int, kStrings> tuning_{64, 59, 55, 50, 45, 40};
    int detune_ = 0;
    std::array<unsigned, kStrings> frets_{};
    std::array<bool, kStrings> muted_{};
};

} // namespace fretkit
