#include "QVAudioStreamDescriptionError.h"

std::string QVAudioStreamDescriptionError::domain() {
    return "QVAudioStreamDescriptionErrorDomain";
}

std::string QVAudioStreamDescriptionError::alertMessage() {
    return "An audio stream description error occurred";
}

std::string QVAudioStreamDescriptionError::failureReasonForError(std::int32_t code) {
    return QVError::failureReasonForError(code);
}

QVError::RecoveryOptions QVAudioStreamDescriptionError::recoveryOptions() {
    return std::nullopt;
}
