#include "QVError.h"

#include "foundation/AlertPresenter.h"
#include "foundation/StringFormat.h"

using fretkit::PlistValue;

QVError::QVError(std::string domain, std::int32_t code, PlistValue userInfo)
    : domain_(std::move(domain)), code_(code), userInfo_(std::move(userInfo)) {}

QVError::~QVError() = default;

std::string QVError::domain() {
    return "QVErrorDomain";
}

std::string QVError::alertMessage() {
    return "An error occurred";
}

std::string QVError::failureReasonForError(std::int32_t code) {
    return fretkit::stringWithFormat("an undefined error occurred: %d", code);
}

QVError::RecoveryOptions QVError::recoveryOptions() {
    return std::nullopt;
}

std::unique_ptr<QVError> QVError::errorWithCode(std::int32_t code, const std::string& action) {
    return std::make_unique<QVError>(
        domain(), code, userInfoFor(action, failureReasonForError(code), recoveryOptions()));
}

std::string QVError::localizedDescription() const {
    return userInfo_[localizedDescriptionKey].stringValue();
}

std::string QVError::localizedFailureReason() const {
    return userInfo_[localizedFailureReasonKey].stringValue();
}

QVError::RecoveryOptions QVError::localizedRecoveryOptions() const {
    const PlistValue* options = userInfo_.find(localizedRecoveryOptionsKey);
    if (options == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> titles;
    for (const PlistValue& option : options->arrayItems()) {
        titles.push_back(option.stringValue());
    }
    return titles;
}

void QVError::alert() const {
    alertWithMessage(classAlertMessage());
}

void QVError::alert(const QVError* error) {
    if (error != nullptr) {
        error->alert();
    }
}

void QVError::alertWithMessage(const std::string& title) const {
    std::string message = localizedDescription();
    if (message.empty()) {
        message = fretkit::stringWithFormat(
            "This error does not have a detailed description: (%s error code %d)", domain_.c_str(),
            code_);
    }
    fretkit::AlertPresenter::show({title, std::move(message), {"OK"}});
}

bool QVError::attemptRecoveryOption(std::size_t /*optionIndex*/) const {
    return false;
}

std::string QVError::classAlertMessage() const {
    return alertMessage();
}

PlistValue QVError::userInfoFor(const std::string& action, const std::string& reason,
                                const RecoveryOptions& options) {
    PlistValue userInfo = PlistValue::dictionary();
    userInfo.set(localizedDescriptionKey,
                 fretkit::stringWithFormat("%s failed because %s", action.c_str(), reason.c_str()));
    userInfo.set(localizedFailureReasonKey, reason);
    if (options) {
        PlistValue::Array titles(options->begin(), options->end());
        userInfo.set(localizedRecoveryOptionsKey, PlistValue(std::move(titles)));
    }
    return userInfo;
}
