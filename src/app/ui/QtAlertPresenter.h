#pragma once

#include "foundation/AlertPresenter.h"

// Shows the core's alerts as alert views over the phone screen.
class QtAlertPresenter final : public fretkit::AlertPresenter {
public:
    void present(const fretkit::Alert& alert) override;
};
