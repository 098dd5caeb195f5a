#pragma once

class QVAudioBuffer;
class QVAudioTimeStamp;

// The audio stream's delegate; called on the audio thread, inside the render lock. Each
// operation is optional: a delegate implements the ones it wants by deriving from their
// interfaces as well. When both render forms are implemented, the one without a time stamp is
// used.
class QVAudioStreamDelegate {
public:
    virtual ~QVAudioStreamDelegate() = default;
};

// Fills the (zeroed) output buffer; answers whether it wrote any sound.
class QVAudioStreamBufferRenderer {
public:
    virtual ~QVAudioStreamBufferRenderer() = default;
    virtual bool renderAudioToBuffer(QVAudioBuffer& buffer) = 0;
};

class QVAudioStreamRenderer {
public:
    virtual ~QVAudioStreamRenderer() = default;
    virtual bool renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp) = 0;
};

// Receives each block of microphone input, in the stream's 16-bit format.
class QVAudioStreamInput {
public:
    virtual ~QVAudioStreamInput() = default;
    virtual void input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp, bool stereo) = 0;
};
