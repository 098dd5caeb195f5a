#include "CFStringLibrary.h"

namespace fretkit {

CFStringLibrary::Sample CFStringLibrary::sampleForString(unsigned string, unsigned note,
                                                         std::string* error) {
    const std::string name = QVSampleDecoder::stringSampleName(string, note);
    if (const auto found = samples_.find(name); found != samples_.end()) {
        return found->second;
    }
    Sample sample = decoder_.decodeStringSample(bundle_, string, note, error);
    if (sample) {
        samples_.emplace(name, sample);
    }
    return sample;
}

} // namespace fretkit
