#pragma once

#include "CFChordNamer.h"
#include "CFStringPlayer.h"
#include "foundation/PlistValue.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <string>

namespace fretkit {

class Bundle;

// What the chord finder's screen shows and plays, without the screen: at most one finger per
// string (its fret; 0 leaves the string open) and a mute per string, over a tuning of the
// tunings list and a detune. It names the chord the sounding strings make, titles each string
// with the note it sounds and keeps each string's sample ready in the string player, so that a
// pluck sounds the note the neck shows.
//
// Samples stay within the notes the neck can play in the offered tunings and detunes: a tuning
// index outside the list means the first tuning, the detune is held to the settings' range and a
// fret to the highest one a tap can reach. The library of decoded samples keeps every sample it
// decoded for as long as the finder lives, so it never holds more than sampleBound() of them.
class CFChordFinder {
public:
    static constexpr unsigned kStrings = CFStringPlayer::kStrings;
    static constexpr unsigned kHighestFret = 23;
    static constexpr int kLowestDetune = -6;
    static constexpr int kHighestDetune = 6;
    static constexpr const char* kTuningsName = "BZTunings";
    static constexpr const char* kDescriptionsName = "CFChords";
    static constexpr const char* kMutedTitle = "\u2715"; // a multiplication x

    // Reads the bundle's tunings (standard tuning alone without them) and chord descriptions;
    // samples are decoded at `sampleRate`. Every string starts open and sounding, in the first
    // tuning, undetuned; the strings get their samples with the first setTuning(). `renderLock`
    // is the lock of the stream the strings play through.
    CFChordFinder(QVRenderLockPtr renderLock, const Bundle& bundle, double sampleRate);
    // The six strings' playback: render it on the audio thread under the render lock.
    CHStringPlayer& player() { return strings_.player(); }

    // Main thread from here on.

    // The tuning (index into the list) and the detune in semitones, as stored in the settings;
    // every string's sample follows.
    void setTuning(std::int64_t index, std::int64_t detune);
    std::size_t tuningIndex() const { return tuningIndex_; }
    int detune() const { return detune_; }
    const PlistValue& tunings() const { return tunings_; }

    unsigned fret(unsigned string) const { return string < kStrings ? frets_[string] : 0; }
    bool isMuted(unsigned string) const { return string < kStrings && mutes_[string]; }
    // A string that sounds without a finger: it carries the open mark.
    bool isOpen(unsigned string) const { return fret(string) == 0 && !isMuted(string); }
    // Puts the string's finger on the fret (0 takes it off), with the sample of its new note.
    void setFret(unsigned string, unsigned fret);
    // A muted string keeps its finger but has no sample: it is left out of chord and playback.
    void setMuted(unsigned string, bool muted);
    // Takes every finger off; the mutes stay.
    void clearFrets();
    // Starts the string's sample unless the string is muted; answers whether it was started.
    bool playString(unsigned string);

    // The chord the sounding strings make, named as `fretkit name-chord` names it.
    CFChordNamer::Result chord() const;
    // The note the string sounds, without octave ("Eb"), or the x of a muted string.
    std::string titleOfString(unsigned string) const;

    // Samples decoded so far, and the most there can ever be: one per string and note that
    // some tuning of the list, detune and fret reach.
    std::size_t sampleCount() const { return strings_.library().count(); }
    std::size_t sampleBound() const;

private:
    int noteOfString(unsigned string) const;
    void loadString(unsigned string);

    PlistValue tunings_;
    CFChordNamer namer_;
    CFStringPlayer strings_;
    std::array<int, kStrings> tuning_{};
    std::size_t tuningIndex_ = 0;
    int detune_ = 0;
    std::array<unsigned, kStrings> frets_{};
    std::array<bool, kStrings> mutes_{};
};

} // namespace fretkit
