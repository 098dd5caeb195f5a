#pragma once

#include "QVAudioSessionDelegate.h"
#include "QVAudioStreamDelegate.h"
#include "QVAudioStreamDescription.h"
#include "QVStream.h"
#include "host/Realtime.h"

#include <atomic>
#include <memory>

class QVFormatterEffect;
class QVHardwareEffect;
class QVMixerEffect;

// The application's one audio graph. With input available: the device unit fed by a mixer whose
// bus 0 carries the microphone (converted to 16 bits) and whose bus 1 is rendered by the
// delegate; without input: the device unit rendered by the delegate directly. The render lock is
// held from the device unit's pre-render to its post-render notification, so everything one
// output cycle pulls, the microphone included, runs inside it.
class QVAudioStream : public QVStream,
                      public QVAudioSessionDelegate,
                      public QVAudioSessionRouteObserver {
public:
    // Builds and initialises the graph; null with the failing step's error.
    static std::unique_ptr<QVAudioStream> withDelegate(QVAudioStreamDelegate* delegate,
                                                       QVErrorPtr* error = nullptr);
    // The same with the render lock that the delegate's engines were made with.
    static std::unique_ptr<QVAudioStream> withDelegate(QVAudioStreamDelegate* delegate,
                                                       QVRenderLockPtr renderLock,
                                                       QVErrorPtr* error = nullptr);
    ~QVAudioStream() override;

    QVAudioStreamDelegate* delegate() const { return delegate_; }
    QVHardwareEffect* hardware() const { return hardware_.get(); }
    QVMixerEffect* mixer() const { return mixer_.get(); }
    QVFormatterEffect* hardwareInputFormatter() const { return hardwareInputFormatter_.get(); }
    // The format every buffer the delegate sees is in: signed 16-bit, non-interleaved.
    const QVAudioStreamDescription& sampleFormat() const { return sampleFormat_; }

    bool playthrough() const { return playthrough_; }
    void setPlaythrough(bool playthrough);
    void updatePlaythrough();
    bool usingHeadphones() const;
    bool stereo() const { return stereo_.load(std::memory_order_relaxed); }
    // Seconds from the render of a buffer to its sound at the device's output, as the running
    // device reports it (PortAudio's measure of its stream); 0 when stopped, and on the file,
    // virtual and offline drivers, whose output counts as played when rendered. Main thread.
    double outputLatency() const;

    void audioSessionRouteDidChangeTo(const std::string& route, const fretkit::PlistValue& from,
                                      std::int64_t reason) override;

    // The forwarding the callbacks do: to the delegate's render (zeroed buffer; answers
    // whether sound was written) and, after the stereo test, to its input.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING;
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING;

    bool close(QVErrorPtr* error = nullptr) override;

private:
    QVAudioStream(QVAudioStreamDelegate* delegate, QVRenderLockPtr renderLock);
    bool build(QVErrorPtr* error);
    bool buildWithInput(QVErrorPtr* error);
    bool buildOutputOnly(QVErrorPtr* error);
    void watchDevice();

    static fretkit::host::OSStatus
    renderLockCallback(void* userData, fretkit::host::AudioUnitRenderActionFlags* flags,
                       const fretkit::host::AudioTimeStamp* timeStamp, std::uint32_t bus,
                       std::uint32_t frames,
                       fretkit::host::AudioBufferList* data) FRETKIT_NONBLOCKING;
    static fretkit::host::OSStatus
    renderCallback(void* userData, fretkit::host::AudioUnitRenderActionFlags* flags,
                   const fretkit::host::AudioTimeStamp* timeStamp, std::uint32_t bus,
                   std::uint32_t frames, fretkit::host::AudioBufferList* data) FRETKIT_NONBLOCKING;
    static fretkit::host::OSStatus
    inputCallback(void* userData, fretkit::host::AudioUnitRenderActionFlags* flags,
                  const fretkit::host::AudioTimeStamp* timeStamp, std::uint32_t bus,
                  std::uint32_t frames, fretkit::host::AudioBufferList* data) FRETKIT_NONBLOCKING;

    QVAudioStreamDelegate* delegate_;
    QVAudioStreamBufferRenderer* bufferRenderer_;
    QVAudioStreamRenderer* renderer_;
    QVAudioStreamInput* inputReceiver_;
    std::unique_ptr<QVHardwareEffect> hardware_;
    std::unique_ptr<QVMixerEffect> mixer_;
    std::unique_ptr<QVFormatterEffect> hardwareInputFormatter_;
    QVAudioStreamDescription sampleFormat_;
    bool playthrough_ = false;
    std::atomic<bool> stereo_{false};
    // Lets a device failure reported later reach this stream only while it exists.
    std::shared_ptr<QVAudioStream*> self_;
};
