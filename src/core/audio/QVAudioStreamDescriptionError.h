#pragma once

#include "QVError.h"

// Failures to build or apply an audio stream format. No code has a reason of its own.
class QVAudioStreamDescriptionError final : public QVErrorClass<QVAudioStreamDescriptionError> {
public:
    using QVErrorClass::QVErrorClass;

    static std::string domain();
    static std::string alertMessage();
    static std::string failureReasonForError(std::int32_t code);
    static RecoveryOptions recoveryOptions();
};
