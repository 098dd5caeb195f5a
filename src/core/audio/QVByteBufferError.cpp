#include "QVByteBufferError.h"

namespace {

constexpr std::pair<std::int32_t, const char*> reasons[] = {
    {1, "the memory could not be allocated."},
    {2, "the destination buffer index was out of range."},
    {3, "the source buffer index was out of range."},
    {4, "the destination range was illegal."},
    {5, "the source range was illegal."},
    {6, "the buffer lists are not the same length."},
    {7, "the buffer lists do not have the same number of buffers."},
    {8, "the buffer list was not built."},
};

} // namespace

std::string QVByteBufferError::domain() {
    return "QVByteBufferErrorDomain";
}

std::string QVByteBufferError::alertMessage() {
    return "An audio buffer error occurred";
}

std::string QVByteBufferError::failureReasonForError(std::int32_t code) {
    const char* reason = textForCode(reasons, code);
    return reason != nullptr ? reason : QVError::failureReasonForError(code);
}

QVError::RecoveryOptions QVByteBufferError::recoveryOptions() {
    return std::nullopt;
}
