#include "QVAudioSessionError.h"

#include "foundation/FourCharCode.h"

using fretkit::fourCharCode;

namespace {

constexpr std::pair<std::int32_t, const char*> reasons[] = {
    {fourCharCode("?cat"), "no category has been set."},
    {fourCharCode("!act"), "the audio session is not active."},
    {fourCharCode("!cat"), "the operation is incompatible with the current category."},
    {fourCharCode("!ini"), "the audio session is not initialized."},
    {fourCharCode("!siz"), "the size of the property is incorrect."},
    {fourCharCode("ini?"), "there was an audio session initialization error."},
    {fourCharCode("init"), "the audio session is already initialized."},
    {fourCharCode("nohw"), "there is no audio hardware."},
    {fourCharCode("pty?"), "the property is not supported."},
    {fourCharCode("what"), "of an unspecified error."},
};

constexpr std::pair<std::int32_t, const char*> propertyNames[] = {
    {fourCharCode("acat"), "category"},
    {fourCharCode("rout"), "route"},
    {fourCharCode("roch"), "route change"},
    {fourCharCode("chsr"), "sample rate"},
    {fourCharCode("hwsr"), "preferred hardware sample rate"},
    {fourCharCode("iobd"), "preferred I/O buffer duration"},
    {fourCharCode("chbd"), "I/O buffer duration"},
    {fourCharCode("chic"), "input channel count"},
    {fourCharCode("choc"), "output channel count"},
    {fourCharCode("chov"), "output volume"},
    {fourCharCode("cilt"), "input latency"},
    {fourCharCode("colt"), "output latency"},
    {fourCharCode("othr"), "other audio playing"},
    {fourCharCode("aiav"), "input available"},
    {fourCharCode("ovrd"), "force speaker"},
};

} // namespace

std::string QVAudioSessionError::domain() {
    return "QVAudioSessionErrorDomain";
}

std::string QVAudioSessionError::alertMessage() {
    return "An audio session error occurred";
}

std::string QVAudioSessionError::failureReasonForError(std::int32_t code) {
    const char* reason = textForCode(reasons, code);
    return reason != nullptr ? reason : QVError::failureReasonForError(code);
}

QVError::RecoveryOptions QVAudioSessionError::recoveryOptions() {
    return std::nullopt;
}

std::string QVAudioSessionError::propertyNameForCode(std::int32_t code) {
    const char* name = textForCode(propertyNames, code);
    return name != nullptr ? name : "unknown";
}
