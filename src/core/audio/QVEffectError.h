#pragma once

#include "QVError.h"

// Failures of an effect's audio unit or of finding and loading its component.
class QVEffectError final : public QVErrorClass<QVEffectError> {
public:
    using QVErrorClass::QVErrorClass;

    static std::string domain();
    static std::string alertMessage();
    static std::string failureReasonForError(std::int32_t code);
    static RecoveryOptions recoveryOptions();

    // The names action phrases use for audio-unit property numbers ("stream format" for 8) and
    // scopes ("global", "input", "output"); "unknown" for any other number.
    static std::string propertyNameForCode(std::uint32_t code);
    static std::string scopeNameForCode(std::uint32_t code);
};
