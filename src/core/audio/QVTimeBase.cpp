#include "QVTimeBase.h"

#include "host/HostTime.h"

using namespace fretkit::host;

QVTimeBase::QVTimeBase(double numerator, double denominator)
    : numerator_(numerator), denominator_(denominator),
      frequency_(denominator / numerator * 1'000'000'000.0) {}

QVTimeBase& QVTimeBase::timeBase() {
    static QVTimeBase* shared = [] {
        const HostTimebaseInfo info = hostTimebaseInfo();
        return new QVTimeBase(info.numer, info.denom);
    }();
    return *shared;
}

std::uint64_t QVTimeBase::currentHostTime() const {
    return hostAbsoluteTime();
}

std::uint64_t QVTimeBase::currentNanoseconds() const {
    return nanosecondsForHostTime(currentHostTime());
}

std::uint64_t QVTimeBase::nanosecondsForHostTime(std::uint64_t hostTime) const {
    return static_cast<std::uint64_t>(static_cast<double>(hostTime) / denominator_ * numerator_);
}

std::uint64_t QVTimeBase::hostTimeForNanoseconds(std::uint64_t nanoseconds) const {
    return static_cast<std::uint64_t>(static_cast<double>(nanoseconds) / numerator_ * denominator_);
}

std::int64_t QVTimeBase::nanosecondDeltaForHostStart(std::uint64_t start, std::uint64_t end) const {
    if (start <= end) {
        return static_cast<std::int64_t>(nanosecondsForHostTime(end - start));
    }
    return -static_cast<std::int64_t>(nanosecondsForHostTime(start - end));
}
