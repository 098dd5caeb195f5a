#pragma once

#include "QVError.h"

// Failures of the platform's audio-session service; codes are its four-character statuses.
class QVAudioSessionError final : public QVErrorClass<QVAudioSessionError> {
public:
    using QVErrorClass::QVErrorClass;

    static std::string domain();
    static std::string alertMessage();
    static std::string failureReasonForError(std::int32_t code);
    static RecoveryOptions recoveryOptions();

    // The name action phrases use for an audio-session property code: "category" for 'acat',
    // "unknown" for a code the session does not use.
    static std::string propertyNameForCode(std::int32_t code);
};
