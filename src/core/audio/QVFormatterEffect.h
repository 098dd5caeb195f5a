#pragma once

#include "QVEffect.h"

// A sample-format converter. Its setup raises the frames per slice to 4096; quality maps
// 0.0-1.0 onto the unit's render quality 0-127.
class QVFormatterEffect final : public QVEffect {
public:
    QVFormatterEffect();
    bool setup(QVErrorPtr* error = nullptr) override;

    float quality() const;
    void setQuality(float quality);
};
