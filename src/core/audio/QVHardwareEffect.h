#pragma once

#include "QVEffect.h"

// The device input/output unit. Its setup enables the output side always and the input side
// exactly when the audio session reports input available.
class QVHardwareEffect final : public QVEffect {
public:
    QVHardwareEffect();
    bool setup(QVErrorPtr* error = nullptr) override;
};
