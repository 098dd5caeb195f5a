#pragma once

#include "QVAudioSessionDelegate.h"
#include "QVError.h"
#include "host/AudioTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The process-wide audio session: category, route, rates, channels, latencies and volume as
// typed accessors; interruptions and property changes as delegate calls and notifications
// ("QVAudioSessionWasInterrupted", "QVAudioSessionRouteDidChange", ...). Accessors without an
// error out-parameter alert a failure and answer their default. Main thread only.
class QVAudioSession {
public:
    // The shared session, initialised on first use; null when the service refused (alerted).
    static QVAudioSession* session();
    // setCategory, the delegate, setActive(true).
    static void startupAsCategory(std::uint32_t category, QVAudioSessionDelegate* delegate);
    // The cached hardware rate, read through the shared session when not yet known.
    static double sampleRate();
    // Writes the status lines ("category = %d", "route = %s", ...) to the log.
    static void printStatusToLog();

    QVAudioSessionDelegate* delegate() const { return delegate_; }
    void setDelegate(QVAudioSessionDelegate* delegate) { delegate_ = delegate; }

    std::uint32_t category() const;
    void setCategory(std::uint32_t category);
    std::string route() const;
    bool isInputAvailable() const;
    bool isOtherAudioPlaying() const;
    double currentSampleRate() const;
    double preferredSampleRate() const;
    void setPreferredSampleRate(double rate);
    float IOBufferDuration() const;
    float preferredIOBufferDuration() const;
    void setPreferredIOBufferDuration(float seconds);
    std::uint32_t inputChannelCount() const;
    std::uint32_t outputChannelCount() const;
    float outputVolume() const;
    float inputLatency() const;
    float outputLatency() const;
    void forceOutputToSpeaker(bool force);
    bool speakerIsDefaultOutput() const;
    void setSpeakerIsDefaultOutput(bool speaker);
    void setActive(bool active);

    // The raw bytes of a property, or nullopt with the error filled.
    std::optional<std::vector<unsigned char>> dataForProperty(std::uint32_t property,
                                                              QVErrorPtr* error) const;

    // The names of the session's notifications.
    static constexpr const char* kWasInterrupted = "QVAudioSessionWasInterrupted";
    static constexpr const char* kDidResume = "QVAudioSessionDidResume";
    static constexpr const char* kInputIsAvailable = "QVAudioSessionAudioInputIsAvailable";
    static constexpr const char* kOutputVolumeDidChange = "QVAudioSessionOutputVolumeDidChange";
    static constexpr const char* kSampleRateDidChange = "QVAudioSessionSampleRateDidChange";
    static constexpr const char* kOtherAudioIsPlaying = "QVAudioSessionOtherAudioIsPlaying";
    static constexpr const char* kRouteDidChange = "QVAudioSessionRouteDidChange";

    // The session's category codes.
    static constexpr std::uint32_t kCategoryPlayAndRecord = fretkit::host::fourCC("plar");
    static constexpr std::uint32_t kCategoryMediaPlayback = fretkit::host::fourCC("medi");

private:
    QVAudioSession() = default;
    static void interruptionListener(void* userData, std::uint32_t state);
    static void propertyListener(void* userData, std::uint32_t property, std::uint32_t size,
                                 const void* data);

    template <class T>
    T readValue(std::uint32_t property, T fallback) const;
    bool setValue(std::uint32_t property, const void* data, std::uint32_t size, QVErrorPtr* error);
    void setValueAlerting(std::uint32_t property, const void* data, std::uint32_t size);

    QVAudioSessionDelegate* delegate_ = nullptr;
};
