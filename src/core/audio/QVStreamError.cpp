#include "QVStreamError.h"

namespace {

constexpr std::pair<std::int32_t, const char*> reasons[] = {
    {-10868, "the format is not supported."},
    {-10864, "an invalid Audio Unit was added to the stream."},
    {-10863, "the stream could not be modified in the current context."},
    {-10862, "streams can only contain one output unit."},
    {-10861, "there is an invalid connection."},
    {-10860, "the node was not found."},
};

} // namespace

std::string QVStreamError::domain() {
    return "QVStreamErrorDomain";
}

std::string QVStreamError::alertMessage() {
    return "An audio stream error occurred";
}

std::string QVStreamError::failureReasonForError(std::int32_t code) {
    const char* reason = textForCode(reasons, code);
    return reason != nullptr ? reason : QVError::failureReasonForError(code);
}

QVError::RecoveryOptions QVStreamError::recoveryOptions() {
    return std::vector<std::string>{"Continue", "Quit"};
}
