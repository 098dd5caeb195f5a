#include "QVHardwareEffect.h"

#include "QVAudioSession.h"
#include "QVStream.h"

using namespace fretkit::host;

QVHardwareEffect::QVHardwareEffect()
    : QVEffect(
          {kAudioUnitType_Output, kAudioUnitSubType_RemoteIO, kAudioUnitManufacturer_Host, 0, 0}) {}

bool QVHardwareEffect::setup(QVErrorPtr* error) {
    QVEffect::setup(error);
    if (stream() == nullptr || !stream()->isOpen()) {
        return true;
    }
    QVAudioSession* session = QVAudioSession::session();
    const std::uint32_t input = session != nullptr && session->isInputAvailable() ? 1 : 0;
    const std::uint32_t output = 1;
    return setBytes(&input, sizeof(input), kAudioOutputUnitProperty_EnableIO, kAudioUnitScope_Input,
                    1, error) &&
           setBytes(&output, sizeof(output), kAudioOutputUnitProperty_EnableIO,
                    kAudioUnitScope_Output, 0, error);
}
