#include "QVEffectError.h"

namespace {

constexpr std::pair<std::int32_t, const char*> reasons[] = {
    {-10879, "the Audio Unit was given an invalid property."},
    {-10878, "the Audio Unit was given an invalid parameter."},
    {-10877, "the Audio Unit was given an invalid element."},
    {-10876, "there is no connection."},
    {-10875, "the initialization failed."},
    {-10874, "there are too many frames to process."},
    {-10873, "the instrument is invalid."},
    {-10872, "the instrument was not found."},
    {-10871, "the file was invalid."},
    {-10870, "the file type was unknown."},
    {-10869, "the file was not specified."},
    {-10868, "the format is not supported by this Audio Unit."},
    {-10867, "the Audio Unit is not initialized."},
    {-10866, "the Audio Unit scope was invalid."},
    {-10865, "the Audio Unit property was not writable."},
    {-10863, "the operation cannot be done in the current context."},
    {-10851, "the Audio Unit was given an invalid property value."},
    {-10850, "the Audio Unit property is not in use."},
    {-10849, "the Audio Unit is already initialized."},
    {-10848, "the Audio Unit offline render was invalid."},
    {-10847, "the Audio Unit is unauthorized."},
    {-2005, "the component was not found."},
    {-50, "there was an error in the user parameter list."},
    {-2147450879, "the Audio Unit has not been initialized."}, // 0x80008001
};

constexpr std::pair<std::uint32_t, const char*> propertyNames[] = {
    {0, "settings"},
    {1, "connection"},
    {2, "sample rate"},
    {3, "parameter list"},
    {4, "parameter info"},
    {8, "stream format"},
    {12, "latency"},
    {13, "supported number of channels"},
    {14, "maximum frames per slice"},
    {19, "channel layout"},
    {20, "tail time"},
    {21, "bypass"},
    {22, "last render error"},
    {23, "set render callback"},
    {24, "factory presets"},
    {26, "render quality"},
    {29, "in place processing"},
    {30, "element name"},
    {32, "supported channel layout tags"},
    {36, "present preset"},
    {2000, "current device"},
    {2001, "is running"},
    {2002, "channel map"},
    {2003, "enable I/O"},
    {2004, "start time"},
    {2005, "set input callback"},
    {2006, "has I/O"},
    {2007, "start timestamps at zero"},
};

constexpr std::pair<std::uint32_t, const char*> scopeNames[] = {
    {0, "global"},
    {1, "input"},
    {2, "output"},
};

} // namespace

std::string QVEffectError::domain() {
    return "QVEffectErrorDomain";
}

std::string QVEffectError::alertMessage() {
    return "An effect error occurred";
}

std::string QVEffectError::failureReasonForError(std::int32_t code) {
    const char* reason = textForCode(reasons, code);
    return reason != nullptr ? reason : QVError::failureReasonForError(code);
}

QVError::RecoveryOptions QVEffectError::recoveryOptions() {
    return std::vector<std::string>{"Continue", "Quit"};
}

std::string QVEffectError::propertyNameForCode(std::uint32_t code) {
    const char* name = textForCode(propertyNames, code);
    return name != nullptr ? name : "unknown";
}

std::string QVEffectError::scopeNameForCode(std::uint32_t code) {
    const char* name = textForCode(scopeNames, code);
    return name != nullptr ? name : "unknown";
}
