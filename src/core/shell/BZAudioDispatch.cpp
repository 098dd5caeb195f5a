#include "BZAudioDispatch.h"

void BZAudioDispatch::publish(QVAudioStreamRenderer* renderer, QVAudioStreamInput* input) {
    renderer_.store(renderer, std::memory_order_release);
    input_.store(input, std::memory_order_release);
}

bool BZAudioDispatch::isPublished() const {
    return renderer_.load(std::memory_order_relaxed) != nullptr ||
           input_.load(std::memory_order_relaxed) != nullptr;
}

bool BZAudioDispatch::renderAudioToBuffer(QVAudioBuffer& buffer,
                                          const QVAudioTimeStamp& timeStamp) {
    QVAudioStreamRenderer* renderer = renderer_.load(std::memory_order_acquire);
    return renderer != nullptr && renderer->renderAudioToBuffer(buffer, timeStamp);
}

void BZAudioDispatch::input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp, bool stereo) {
    QVAudioStreamInput* input = input_.load(std::memory_order_acquire);
    if (input != nullptr) {
        input->input(buffer, timeStamp, stereo);
    }
}
