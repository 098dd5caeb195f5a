#pragma once

#include "foundation/AlertPresenter.h"
#include "host/AudioDeviceLayer.h"
#include "host/HostFaults.h"
#include "host/OfflineAudioDevice.h"

#include <initializer_list>
#include <memory>
#include <new>
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
inline fretkit::host::OfflineAudioDevice&
installOfflineDevice(double rate = 44100.0, std::uint32_t inputs = 1, std::uint32_t outputs = 2) {
    auto device = std::make_unique<fretkit::host::OfflineAudioDevice>(rate, inputs, outputs);
    fretkit::host::OfflineAudioDevice& installed = *device;
    fretkit::host::AudioDeviceLayer::install(std::move(device));
    return installed;
}

// A buffer list over blocks the test owns, one buffer per block of `bytes` bytes each.
class BufferListOver {
public:
    BufferListOver(std::initializer_list<void*> blocks, std::uint32_t bytes)
        : storage_(
              (fretkit::host::audioBufferListSize(static_cast<std::uint32_t>(blocks.size())) + 7) /
              8) {
        list_ = new (storage_.data()) fretkit::host::AudioBufferList{};
        list_->mNumberBuffers = static_cast<std::uint32_t>(blocks.size());
        std::uint32_t i = 0;
        for (void* block : blocks) {
            fretkit::host::audioBufferAt(*list_, i++) = {1, bytes, block};
        }
    }
    fretkit::host::AudioBufferList& list() { return *list_; }
    fretkit::host::AudioBuffer& buffer(std::uint32_t index) {
        return fretkit::host::audioBufferAt(*list_, index);
    }

private:
    std::vector<std::uint64_t> storage_;
    fretkit::host::AudioBufferList* list_ = nullptr;
};
