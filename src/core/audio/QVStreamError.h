#pragma once

#include "QVError.h"

// Failures of the processing graph behind a stream: creating, starting and stopping it, adding,
// removing and connecting its effects.
class QVStreamError final : public QVErrorClass<QVStreamError> {
public:
    using QVErrorClass::QVErrorClass;

    static std::string domain();
    static std::string alertMessage();
    static std::string failureReasonForError(std::int32_t code);
    static RecoveryOptions recoveryOptions();
};
