#pragma once

#include "foundation/PlistValue.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QVError;

// Owning handle to an audio kit error. Kit operations that can fail take an optional
// `QVErrorPtr* error` out-parameter: on failure they return false (or null) and, when the pointer
// is not null, store the error there; the caller then decides whether to call alert(). Operations
// without the out-parameter alert at once.
using QVErrorPtr = std::unique_ptr<QVError>;

// An audio kit error: the failing platform status (or a kit code), the domain of the component
// that reports it, and user information whose description says, in one sentence fit for an alert,
// what was being done and why it failed ("Creating the stream failed because the node was not
// found.").
//
// Each component has a subclass that supplies its own domain, alert title, table from codes to
// reasons and recovery options through static functions of the same names; errorWithCode() of a
// class builds an instance of that class from them.
class QVError {
public:
    using RecoveryOptions = std::optional<std::vector<std::string>>;

    static constexpr const char* localizedDescriptionKey = "description";
    static constexpr const char* localizedFailureReasonKey = "failureReason";
    static constexpr const char* localizedRecoveryOptionsKey = "recoveryOptions";

    // userInfo is a dictionary keyed as above; any of the keys may be missing.
    QVError(std::string domain, std::int32_t code, fretkit::PlistValue userInfo);
    virtual ~QVError();
    QVError(const QVError&) = delete;
    QVError& operator=(const QVError&) = delete;

    // The class's own answers; each subclass declares the same static functions.
    static std::string domain();
    static std::string alertMessage();
    static std::string failureReasonForError(std::int32_t code);
    static RecoveryOptions recoveryOptions();
    static std::unique_ptr<QVError> errorWithCode(std::int32_t code, const std::string& action);

    std::int32_t code() const { return code_; }
    const std::string& errorDomain() const { return domain_; }
    const fretkit::PlistValue& userInfo() const { return userInfo_; }

    // Empty strings and nullopt when the user information lacks the entry.
    std::string localizedDescription() const;
    std::string localizedFailureReason() const;
    RecoveryOptions localizedRecoveryOptions() const;

    // Shows the error with the alert title of its class.
    void alert() const;
    // Shows the error, if any: a null error is silently ignored, since some operations can fail
    // without producing one.
    static void alert(const QVError* error);
    // Shows an alert with this title, the error's description as its message and one "OK" button.
    void alertWithMessage(const std::string& title) const;

    // The alerts offer no recovery, so there is nothing to attempt; always false.
    bool attemptRecoveryOption(std::size_t optionIndex) const;

protected:
    // The alert title of the error's dynamic class.
    virtual std::string classAlertMessage() const;

    // The user information errorWithCode() gives an error: "<action> failed because <reason>",
    // the reason alone, and the recovery options when there are some.
    static fretkit::PlistValue userInfoFor(const std::string& action, const std::string& reason,
                                           const RecoveryOptions& options);

    // The text paired with code in a table of {code, text} entries, or nullptr when not listed.
    template <class Code, std::size_t Size>
    static const char* textForCode(const std::pair<Code, const char*> (&table)[Size], Code code) {
        for (const auto& [key, text] : table) {
            if (key == code) {
                return text;
            }
        }
        return nullptr;
    }

private:
    std::string domain_;
    std::int32_t code_;
    fretkit::PlistValue userInfo_;
};

// Base of the component error classes: gives ErrorClass an errorWithCode() that builds an
// ErrorClass from ErrorClass's own domain, reasons and recovery options, and makes alert() use
// ErrorClass::alertMessage().
template <class ErrorClass>
class QVErrorClass : public QVError {
public:
    using QVError::QVError;

    static std::unique_ptr<ErrorClass> errorWithCode(std::int32_t code, const std::string& action) {
        return std::make_unique<ErrorClass>(ErrorClass::domain(), code,
                                            userInfoFor(action,
                                                        ErrorClass::failureReasonForError(code),
                                                        ErrorClass::recoveryOptions()));
    }

protected:
    std::string classAlertMessage() const override { return ErrorClass::alertMessage(); }
};
