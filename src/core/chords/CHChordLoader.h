#pragma once

#include "CHChord.h"
#include "audio/QVSampleDecoder.h"
#include "foundation/OperationQueue.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace fretkit {

class Bundle;

// Decodes the samples of a chord shape's sounding strings, string 0 first, and hands each one
// over as soon as it is ready. Muted strings are left out; a string whose sample is missing or
// unreadable is reported and gets no sample. Cancelling stops the operation after the string it
// is decoding.
class CHChordLoader final : public Operation {
public:
    // Open-string MIDI notes of the chord samples, strings 0-5 (standard tuning).
    static constexpr std::array<unsigned, CHChord::kStrings> kOpenStrings = {40, 45, 50,
                                                                             55, 59, 64};
    using Deliver = std::function<void(unsigned string, std::unique_ptr<QVAudioBuffer> sample)>;
    using Report = std::function<void(const std::string& problem)>;

    CHChordLoader(const CHChord& chord, const Bundle& bundle, double rate, Deliver deliver,
                  Report report);

    // MIDI note sounded by string s of the chord (not for muted strings).
    static unsigned noteForString(const CHChord& chord, unsigned s);

    void main() override;

private:
    CHChord chord_;
    const Bundle& bundle_;
    QVSampleDecoder decoder_;
    Deliver deliver_;
    Report report_;
};

} // namespace fretkit
