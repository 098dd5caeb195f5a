#include "QVAudioTimeStamp.h"

#include "QVTimeBase.h"

std::uint64_t QVAudioTimeStamp::nanoseconds() const {
    return QVTimeBase::timeBase().nanosecondsForHostTime(hostTime());
}
