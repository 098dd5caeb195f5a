#pragma once

#include "QVError.h"

// Failures of the audio buffers' own operations (allocation, copies between buffer lists); the
// codes are the kit's, 1 to 8.
class QVByteBufferError final : public QVErrorClass<QVByteBufferError> {
public:
    using QVErrorClass::QVErrorClass;

    static std::string domain();
    static std::string alertMessage();
    static std::string failureReasonForError(std::int32_t code);
    static RecoveryOptions recoveryOptions();
};
