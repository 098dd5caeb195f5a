#pragma once

#include "SCScale.h"
#include "audio/QVSampleDecoder.h"
#include "foundation/OperationQueue.h"

#include <functional>
#include <memory>
#include <string>

namespace fretkit {

class Bundle;

// Decodes the samples of a scale pattern's notes, in note order, and hands each over as soon as
// it is ready. A note whose sample is missing or unreadable is handed over as null (a silent
// note), so every later note keeps its index. Cancelling stops the operation after the note it
// is decoding.
class SCScaleLoader final : public Operation {
public:
    using Deliver = std::function<void(std::unique_ptr<QVAudioBuffer> sample)>;
    using Report = std::function<void(const std::string& problem)>;

    SCScaleLoader(const SCScale& scale, const Bundle& bundle, double rate, Deliver deliver,
                  Report report);

    void main() override;

private:
    SCScale scale_;
    const Bundle& bundle_;
    QVSampleDecoder decoder_;
    Deliver deliver_;
    Report report_;
};

} // namespace fretkit
