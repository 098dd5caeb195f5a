#pragma once

#include "QVEffect.h"

// A multichannel mixer: per input bus, a volume and an enable switch.
class QVMixerEffect final : public QVEffect {
public:
    QVMixerEffect();

    void setVolume(float volume, std::uint32_t input);
    float volumeOfInput(std::uint32_t input) const;
    void setEnabled(bool enabled, std::uint32_t input);
    bool isInputEnabled(std::uint32_t input) const;
    using QVEffect::setEnabled;
};
