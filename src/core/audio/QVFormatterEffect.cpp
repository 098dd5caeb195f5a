#include "QVFormatterEffect.h"

#include "QVStream.h"

using namespace fretkit::host;

QVFormatterEffect::QVFormatterEffect()
    : QVEffect({kAudioUnitType_FormatConverter, kAudioUnitSubType_AUConverter,
                kAudioUnitManufacturer_Host, 0, 0}) {}

bool QVFormatterEffect::setup(QVErrorPtr* error) {
    QVEffect::setup(error);
    if (stream() != nullptr && stream()->isOpen()) {
        setObject(std::uint32_t{4096}, kAudioUnitProperty_MaximumFramesPerSlice);
    }
    return true;
}

float QVFormatterEffect::quality() const {
    return static_cast<float>(unsignedIntValueForProperty(kAudioUnitProperty_RenderQuality)) /
           127.0f;
}

void QVFormatterEffect::setQuality(float quality) {
    setObject(static_cast<std::uint32_t>(quality * 127.0f), kAudioUnitProperty_RenderQuality);
}
