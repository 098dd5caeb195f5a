#pragma once

#include "foundation/AlertPresenter.h"
#include "host/AudioDeviceLayer.h"
#include "host/HostFaults.h"
#include "host/OfflineAudioDevice.h"

#include <memory>
#include <string>
#include <vector>

// Collects the alerts shown while it exists.
class AlertRecorder final : public fretkit::AlertPresenter {
public:
    AlertRecorder() { previous_ = fretkit::AlertPresenter::install(this); }
    ~AlertRecorder() override { fretkit::AlertPresenter::install(previous_); }
    AlertRecorder(const AlertRecorder&) = delete;
    AlertRecorder& operator=(const AlertRecorder&) = delete;

    void present(const fretkit::Alert& alert) override { alerts.push_back(alert); }
    std::vector<fretkit::Alert> alerts;

private:
    fretkit::AlertPresenter* previous_ = nullptr;
};

// Installs an offline device as the process's audio device, and clears armed faults after.
inline OfflineAudioDevice& installOfflineDevice(double rate = 44100.0, std::uint32_t inputs = 1,
                                                std::uint32_t outputs = 2) {
    auto device = std::make_unique<OfflineAudioDevice>(rate, inputs, outputs);
    OfflineAudioDevice& installed = *device;
    AudioDeviceLayer::install(std::move(device));
    return installed;
}
