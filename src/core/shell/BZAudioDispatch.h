#pragma once

#include "audio/QVAudioStreamDelegate.h"
#include "host/Realtime.h"

#include <atomic>

// The frontmost screen's audio operations as the audio thread sees them. The main thread
// publishes them whenever the frontmost screen changes; the audio thread reads them without a
// lock and forwards each callback, so the dispatch can itself be a stream's delegate. A screen that
// is not published any more may still be inside a cycle that began before; whoever is about to
// destroy it waits for one render cycle first (takes the stream's render lock once), after which no
// cycle can reach it.
class BZAudioDispatch final : public QVAudioStreamDelegate,
                              public QVAudioStreamRenderer,
                              public QVAudioStreamInput {
public:
    // Main thread. Null for an operation the screen does not implement.
    void publish(QVAudioStreamRenderer* renderer, QVAudioStreamInput* input);
    // Whether a published screen could be inside a cycle still.
    bool isPublished() const;

    // Audio thread, render lock held. The render answers false (silence) without a renderer.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp,
               bool stereo) FRETKIT_NONBLOCKING override;

private:
    std::atomic<QVAudioStreamRenderer*> renderer_{nullptr};
    std::atomic<QVAudioStreamInput*> input_{nullptr};
};
