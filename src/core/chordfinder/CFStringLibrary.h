#pragma once

#include "audio/QVSampleDecoder.h"

#include <map>
#include <memory>
#include <string>

namespace fretkit {

class Bundle;

// The chord finder's decoded string samples, by resource name. A sample is decoded the first
// time it is asked for and kept for as long as the library lives, so a buffer handed to the
// player is never freed while it may sound.
class CFStringLibrary {
public:
    using Sample = std::shared_ptr<const QVAudioBuffer>;

    CFStringLibrary(const Bundle& bundle, double rate) : bundle_(bundle), decoder_(rate) {}

    // The sample of MIDI note `note` on string `string`; null (with the reason in `error`) when
    // the bundle lacks it or it cannot be read. Main thread.
    Sample sampleForString(unsigned string, unsigned note, std::string* error = nullptr);
    std::size_t count() const { return samples_.size(); }

private:
    const Bundle& bundle_;
    QVSampleDecoder decoder_;
    std::map<std::string, Sample> samples_;
};

} // namespace fretkit
