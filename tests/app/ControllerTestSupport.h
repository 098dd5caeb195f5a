#pragma once

#include "ScreenTestSupport.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioStreamDelegate.h"
#include "support/TempDir.h"
#include "ui/ViewController.h"

#include <atomic>
#include <string>

// A bundle folder whose information list allows recording or not (or says nothing).
inline std::string writeInfoBundle(const TempDir& dir, const char* enableInput) {
    std::string entry;
    if (enableInput != nullptr) {
        entry = std::string("<key>BZEnableInput</key>") + enableInput;
    }
    dir.write("bundle/Info.plist", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                   "<plist version=\"1.0\"><dict>" +
                                       entry + "</dict></plist>\n");
    return dir.file("bundle");
}

// A tool screen that plays a constant and counts its calls.
class ToneScreen : public ViewController, public QVAudioStreamRenderer {
public:
    explicit ToneScreen(std::int16_t value = 1000) : value_(value) {}
    bool renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp&) override {
        renders.fetch_add(1);
        for (std::uint32_t c = 0; c < buffer.numberOfChannels(); ++c) {
            for (std::uint32_t i = 0; i < buffer.frames(); ++i) {
                buffer.setSampleValue(value_, i, c);
            }
        }
        return true;
    }
    std::atomic<int> renders{0};

private:
    std::int16_t value_;
};

// A screen that listens to the microphone only, as the tuner does.
class ListeningScreen : public ViewController, public QVAudioStreamInput {
public:
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp&, bool) override {
        inputs.fetch_add(1);
        lastSample.store(buffer.sampleValueAtIndex(0, 0));
    }
    std::atomic<int> inputs{0};
    std::atomic<int> lastSample{0};
};
