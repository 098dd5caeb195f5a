#include "QVSampleDecoder.h"

#include "QVAudioStreamDescription.h"
#include "foundation/Bundle.h"
#include "host/ExtendedAudioFile.h"

#include <cmath>
#include <cstdio>

using namespace fretkit::host;

std::uint32_t QVSampleDecoder::stringSampleFrames() const {
    return static_cast<std::uint32_t>(std::lround(kStringSampleSeconds * rate_));
}

std::string QVSampleDecoder::stringSampleName(unsigned string, unsigned note) {
    char name[16];
    std::snprintf(name, sizeof(name), "%02u_%02u", string, note);
    return name;
}

std::unique_ptr<QVAudioBuffer>
QVSampleDecoder::decode(const std::string& path, std::uint32_t frames, std::string* error) const {
    std::unique_ptr<ExtendedAudioFile> file;
    if (ExtendedAudioFile::open(path, file) != noErr) {
        if (error != nullptr) {
            *error = ExtendedAudioFile::lastOpenError();
        }
        return nullptr;
    }
    QVAudioStreamDescription format(rate_, 1);
    format.setFlags(kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked |
                    kAudioFormatFlagIsNonInterleaved);
    format.setRange(16);
    file->setConverterQuality(kConverterQuality);
    if (file->setClientDataFormat(*format.description()) != noErr) {
        if (error != nullptr) {
            *error = path + ": cannot be converted to 16 bits at " +
                     std::to_string(static_cast<long>(rate_)) + " Hz";
        }
        return nullptr;
    }
    auto buffer = QVAudioBuffer::bufferWithChannels(1, frames);
    if (!buffer) {
        if (error != nullptr) {
            *error = path + ": no memory for the sound";
        }
        return nullptr;
    }
    // The reader may hand over less than asked; read on until the buffer is full or the file
    // ends. A read error keeps what came before it.
    for (std::uint32_t done = 0; done < frames;) {
        AudioBufferList list{};
        list.mNumberBuffers = 1;
        list.mBuffers[0] = {1, (frames - done) * 2u, buffer->channel(0) + done};
        std::uint32_t count = frames - done;
        if (file->read(count, list) != noErr || count == 0) {
            break;
        }
        done += count;
    }
    return buffer;
}

std::unique_ptr<QVAudioBuffer> QVSampleDecoder::decodeStringSample(const fretkit::Bundle& bundle,
                                                                   unsigned string, unsigned note,
                                                                   std::string* error) const {
    const std::string name = stringSampleName(string, note);
    const auto path = bundle.pathForResource(name, kStringSampleType);
    if (!path) {
        if (error != nullptr) {
            *error = name + "." + kStringSampleType + " is missing";
        }
        return nullptr;
    }
    return decode(*path, stringSampleFrames(), error);
}
