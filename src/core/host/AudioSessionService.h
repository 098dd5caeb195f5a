#pragma once

#include "AudioTypes.h"

#include <cstdint>

namespace fretkit::host {

// The process's audio session over the current audio device: its category, route, rates,
// channel counts, latencies and volume as properties with four-character codes, listeners for
// their changes and for interruptions, and the active state.
class AudioSessionService {
public:
    using InterruptionListener = void (*)(void* userData, std::uint32_t state);
    using PropertyListener = void (*)(void* userData, std::uint32_t property, std::uint32_t size,
                                      const void* data);

    static constexpr std::uint32_t kBeginInterruption = 1;
    static constexpr std::uint32_t kEndInterruption = 0;

    // Property codes.
    static constexpr std::uint32_t kCategory = fourCC("acat");
    static constexpr std::uint32_t kRoute = fourCC("rout");
    static constexpr std::uint32_t kRouteChange = fourCC("roch");
    static constexpr std::uint32_t kSampleRate = fourCC("chsr");
    static constexpr std::uint32_t kPreferredSampleRate = fourCC("hwsr");
    static constexpr std::uint32_t kPreferredBufferDuration = fourCC("iobd");
    static constexpr std::uint32_t kBufferDuration = fourCC("chbd");
    static constexpr std::uint32_t kInputChannels = fourCC("chic");
    static constexpr std::uint32_t kOutputChannels = fourCC("choc");
    static constexpr std::uint32_t kOutputVolume = fourCC("chov");
    static constexpr std::uint32_t kInputLatency = fourCC("cilt");
    static constexpr std::uint32_t kOutputLatency = fourCC("colt");
    static constexpr std::uint32_t kOtherAudioPlaying = fourCC("othr");
    static constexpr std::uint32_t kInputAvailable = fourCC("aiav");
    static constexpr std::uint32_t kOverrideRoute = fourCC("ovrd");
    static constexpr std::uint32_t kSpeakerIsDefault = fourCC("cspk");

    // Statuses.
    static constexpr OSStatus kNotInitialized = static_cast<OSStatus>(fourCC("!ini"));
    static constexpr OSStatus kAlreadyInitialized = static_cast<OSStatus>(fourCC("init"));
    static constexpr OSStatus kUnsupportedProperty = static_cast<OSStatus>(fourCC("pty?"));
    static constexpr OSStatus kBadPropertySize = static_cast<OSStatus>(fourCC("!siz"));
    static constexpr OSStatus kNotActive = static_cast<OSStatus>(fourCC("!act"));

    static OSStatus initialize(InterruptionListener listener, void* userData);
    static OSStatus addPropertyListener(std::uint32_t property, PropertyListener listener,
                                        void* userData);
    static OSStatus getPropertySize(std::uint32_t property, std::uint32_t* size);
    // The route is UTF-8 text without a terminator; numbers are native 4- or 8-byte values.
    static OSStatus getProperty(std::uint32_t property, std::uint32_t* size, void* data);
    static OSStatus setProperty(std::uint32_t property, std::uint32_t size, const void* data);
    static OSStatus setActive(bool active);

    // Delivers an interruption (begin or end) to the listener, as the system would.
    static void interrupt(std::uint32_t state);
    // Tells the route listeners that the route changed: the change record is a property-list
    // dictionary (fretkit::PlistValue) with the old route and the reason.
    static void routeChanged(const void* changeRecord);
};

} // namespace fretkit::host
