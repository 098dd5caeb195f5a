#include "QVAudioStream.h"

#include "QVAudioBuffer.h"
#include "QVAudioSession.h"
#include "QVAudioTimeStamp.h"
#include "QVFormatterEffect.h"
#include "QVHardwareEffect.h"
#include "QVMixerEffect.h"
#include "QVStreamError.h"
#include "foundation/AlertPresenter.h"
#include "foundation/MainThread.h"
#include "host/RemoteIOUnit.h"

#include <algorithm>
#include <cstring>

using namespace fretkit::host;

namespace {

constexpr float kMutedPlaythroughVolume = 0.00001f; // about -100 dB, never exactly silent

} // namespace

QVAudioStream::QVAudioStream(QVAudioStreamDelegate* delegate, QVRenderLockPtr renderLock)
    : QVStream(std::move(renderLock)), delegate_(delegate),
      bufferRenderer_(dynamic_cast<QVAudioStreamBufferRenderer*>(delegate)),
      renderer_(dynamic_cast<QVAudioStreamRenderer*>(delegate)),
      inputReceiver_(dynamic_cast<QVAudioStreamInput*>(delegate)),
      self_(std::make_shared<QVAudioStream*>(this)) {}

std::unique_ptr<QVAudioStream> QVAudioStream::withDelegate(QVAudioStreamDelegate* delegate,
                                                           QVErrorPtr* error) {
    return withDelegate(delegate, std::make_shared<QVRenderLock>(), error);
}

std::unique_ptr<QVAudioStream> QVAudioStream::withDelegate(QVAudioStreamDelegate* delegate,
                                                           QVRenderLockPtr renderLock,
                                                           QVErrorPtr* error) {
    std::unique_ptr<QVAudioStream> stream(new QVAudioStream(delegate, std::move(renderLock)));
    if (!stream->build(error)) {
        return nullptr;
    }
    return stream;
}

QVAudioStream::~QVAudioStream() {
    *self_ = nullptr;
    stop();
    uninitialize();
    close();
    destroy();
}

bool QVAudioStream::build(QVErrorPtr* error) {
    if (!create(error)) {
        return false;
    }
    QVAudioSession* session = QVAudioSession::session();
    const bool input = session != nullptr && session->isInputAvailable();
    if (!(input ? buildWithInput(error) : buildOutputOnly(error))) {
        return false;
    }
    watchDevice();
    return true;
}

bool QVAudioStream::buildWithInput(QVErrorPtr* error) {
    hardware_ = std::make_unique<QVHardwareEffect>();
    mixer_ = std::make_unique<QVMixerEffect>();
    hardwareInputFormatter_ = std::make_unique<QVFormatterEffect>();
    QVEffect* effects[] = {hardware_.get(), mixer_.get(), hardwareInputFormatter_.get()};
    for (QVEffect* effect : effects) {
        if (!addEffect(*effect, error)) {
            return false;
        }
    }
    if (!open(error)) {
        return false;
    }
    for (QVEffect* effect : effects) {
        if (!effect->setup(error)) {
            return false;
        }
    }
    mixer_->setInputBusCount(2);
    if (!hardware_->addRenderNotification(&renderLockCallback, this, error) ||
        !hardwareInputFormatter_->addRenderNotification(&inputCallback, this, error) ||
        !mixer_->setRenderCallback(&renderCallback, 1, this, error)) {
        return false;
    }
    std::unique_ptr<QVAudioStreamDescription> hardwareFormat = hardware_->inputStreamFormat();
    const std::uint32_t channels = hardwareFormat ? hardwareFormat->channels() : 2;
    const QVAudioStreamDescription converted(QVAudioSession::sampleRate(), channels);
    sampleFormat_ = QVAudioStreamDescription(QVAudioSession::sampleRate(), channels);
    sampleFormat_.setFlags(kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked |
                           kAudioFormatFlagIsNonInterleaved);
    sampleFormat_.setRange(16);
    if (hardwareFormat) {
        mixer_->setOutputStreamFormat(*hardwareFormat);
    }
    mixer_->setInputStreamFormat(sampleFormat_, 0);
    mixer_->setInputStreamFormat(sampleFormat_, 1);
    hardwareInputFormatter_->setOutputStreamFormat(sampleFormat_);
    hardwareInputFormatter_->setInputStreamFormat(converted);
    if (!initialize(error) || !connectOutputOfEffect(*mixer_, 0, *hardware_, 0, error) ||
        !connectOutputOfEffect(*hardwareInputFormatter_, 0, *mixer_, 0, error) ||
        !connectOutputOfEffect(*hardware_, 1, *hardwareInputFormatter_, 0, error)) {
        return false;
    }
    updatePlaythrough();
    return true;
}

bool QVAudioStream::buildOutputOnly(QVErrorPtr* error) {
    hardware_ = std::make_unique<QVHardwareEffect>();
    if (!addEffect(*hardware_, error) || !open(error) || !hardware_->setup(error) ||
        !hardware_->addRenderNotification(&renderLockCallback, this, error) ||
        !hardware_->setRenderCallback(&renderCallback, 0, this, error)) {
        return false;
    }
    std::unique_ptr<QVAudioStreamDescription> hardwareFormat = hardware_->inputStreamFormat();
    sampleFormat_ = QVAudioStreamDescription(QVAudioSession::sampleRate(),
                                             hardwareFormat ? hardwareFormat->channels() : 2);
    sampleFormat_.setFlags(kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked |
                           kAudioFormatFlagIsNonInterleaved);
    sampleFormat_.setRange(16);
    hardware_->setInputStreamFormat(sampleFormat_, 0);
    return initialize(error);
}

void QVAudioStream::watchDevice() {
    RemoteIOUnit* unit = graph() != nullptr ? graph()->outputUnit() : nullptr;
    if (unit == nullptr) {
        return;
    }
    // A device that fails or disappears while running is reported once; the stream stops
    // cleanly and the next start tries the device again.
    std::weak_ptr<QVAudioStream*> weak = self_;
    unit->setStoppedHandler([weak](OSStatus status, const std::string& reason) {
        fretkit::MainThread::perform([weak, status, reason] {
            std::shared_ptr<QVAudioStream*> self = weak.lock();
            if (!self || *self == nullptr) {
                return;
            }
            (*self)->stop();
            // An input file that ends is no failure; a device that fails or vanishes is.
            if (status != noErr) {
                QVStreamError::errorWithCode(status,
                                             "Playing through the audio device (" + reason + ")")
                    ->alert();
            }
        });
    });
}

double QVAudioStream::outputLatency() const {
    const RemoteIOUnit* unit = graph() != nullptr ? graph()->outputUnit() : nullptr;
    return unit != nullptr && isRunning() ? unit->outputLatency() : 0.0;
}

bool QVAudioStream::close(QVErrorPtr* error) {
    if (!QVStream::close(error)) {
        return false;
    }
    hardware_.reset();
    mixer_.reset();
    hardwareInputFormatter_.reset();
    return true;
}

void QVAudioStream::setPlaythrough(bool playthrough) {
    playthrough_ = playthrough;
    updatePlaythrough();
}

void QVAudioStream::updatePlaythrough() {
    if (mixer_) {
        mixer_->setVolume(playthrough_ && usingHeadphones() ? 1.0f : kMutedPlaythroughVolume, 0);
    }
}

bool QVAudioStream::usingHeadphones() const {
    QVAudioSession* session = QVAudioSession::session();
    return session != nullptr && session->route().find("Head") != std::string::npos;
}

void QVAudioStream::audioSessionRouteDidChangeTo(const std::string&, const fretkit::PlistValue&,
                                                 std::int64_t) {
    updatePlaythrough();
}

bool QVAudioStream::renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp) {
    if (bufferRenderer_ != nullptr) {
        return bufferRenderer_->renderAudioToBuffer(buffer);
    }
    if (renderer_ != nullptr) {
        return renderer_->renderAudioToBuffer(buffer, timeStamp);
    }
    return false;
}

void QVAudioStream::input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp) {
    std::int16_t* left = buffer.channel(0);
    std::int16_t* right = buffer.channel(1);
    const std::uint32_t frames = buffer.frames();
    bool stereo = false;
    if (left != nullptr && right != nullptr) {
        for (std::uint32_t i = 0; i < frames; ++i) {
            if (right[i] != 0 && right[i] != left[i]) {
                stereo = true;
                break;
            }
        }
        if (!stereo) {
            // A device that fills one side only delivers the same signal on both.
            std::memcpy(right, left, std::size_t{frames} * sizeof(std::int16_t));
        }
    }
    stereo_.store(stereo, std::memory_order_relaxed);
    if (inputReceiver_ != nullptr) {
        inputReceiver_->input(buffer, timeStamp, stereo);
    }
}

OSStatus QVAudioStream::renderLockCallback(void* userData, AudioUnitRenderActionFlags* flags,
                                           const AudioTimeStamp*, std::uint32_t bus, std::uint32_t,
                                           AudioBufferList*) {
    if (bus != 0) {
        return noErr;
    }
    auto* stream = static_cast<QVAudioStream*>(userData);
    if ((*flags & kAudioUnitRenderAction_PreRender) != 0) {
        [[maybe_unused]] RealtimeBlockingAllowed
            allowed; // the render lock is the one wait the cycle may make
        stream->renderLock().lock();
    }
    if ((*flags & kAudioUnitRenderAction_PostRender) != 0) {
        [[maybe_unused]] RealtimeBlockingAllowed allowed;
        stream->renderLock().unlock();
    }
    return noErr;
}

OSStatus QVAudioStream::renderCallback(void* userData, AudioUnitRenderActionFlags* flags,
                                       const AudioTimeStamp* timeStamp, std::uint32_t,
                                       std::uint32_t, AudioBufferList* data) {
    if ((*flags & (kAudioUnitRenderAction_PreRender | kAudioUnitRenderAction_PostRender)) != 0) {
        return noErr;
    }
    auto* stream = static_cast<QVAudioStream*>(userData);
    QVAudioBuffer buffer(data, false);
    const QVAudioTimeStamp stamp(*timeStamp);
    buffer.clear();
    if (!stream->renderAudioToBuffer(buffer, stamp)) {
        *flags |= kAudioUnitRenderAction_OutputIsSilence;
    }
    return noErr;
}

OSStatus QVAudioStream::inputCallback(void* userData, AudioUnitRenderActionFlags* flags,
                                      const AudioTimeStamp* timeStamp, std::uint32_t, std::uint32_t,
                                      AudioBufferList* data) {
    if ((*flags & kAudioUnitRenderAction_PostRender) == 0 || data == nullptr ||
        data->mNumberBuffers == 0 || data->mBuffers[0].mData == nullptr) {
        return noErr;
    }
    auto* stream = static_cast<QVAudioStream*>(userData);
    QVAudioBuffer buffer(data, false);
    stream->input(buffer, QVAudioTimeStamp(*timeStamp));
    return noErr;
}
