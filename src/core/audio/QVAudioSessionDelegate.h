#pragma once

#include "foundation/PlistValue.h"

#include <string>

class QVAudioSession;

// The audio session's delegate. Each operation is optional: a delegate implements the ones it
// wants by deriving from their interfaces as well.
class QVAudioSessionDelegate {
public:
    virtual ~QVAudioSessionDelegate() = default;
};

class QVAudioSessionInterruptionObserver {
public:
    virtual ~QVAudioSessionInterruptionObserver() = default;
    virtual void audioSessionWasInterrupted(QVAudioSession& session) = 0;
};

class QVAudioSessionResumeObserver {
public:
    virtual ~QVAudioSessionResumeObserver() = default;
    virtual void audioSessionDidResume(QVAudioSession& session) = 0;
};

class QVAudioSessionRouteObserver {
public:
    virtual ~QVAudioSessionRouteObserver() = default;
    // The new route text, the old route as the change record gives it, and the reason.
    virtual void audioSessionRouteDidChangeTo(const std::string& route,
                                              const fretkit::PlistValue& from,
                                              std::int64_t reason) = 0;
};
