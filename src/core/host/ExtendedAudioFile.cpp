#include "ExtendedAudioFile.h"

#include "SampleCodec.h"

#include <algorithm>
#include <filesystem>
#include <mutex>

namespace fretkit::host {

namespace {

std::mutex openErrorMutex;
std::string openError;

void rememberOpenError(const std::string& error) {
    std::lock_guard lock(openErrorMutex);
    openError = error;
}

} // namespace

std::string ExtendedAudioFile::lastOpenError() {
    std::lock_guard lock(openErrorMutex);
    return openError;
}

OSStatus ExtendedAudioFile::open(const std::string& path,
                                 std::unique_ptr<ExtendedAudioFile>& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        rememberOpenError(path + ": no such file");
        return kFileNotFound;
    }
    std::string error;
    std::unique_ptr<AudioFileReader> reader = AudioFileReader::open(path, &error);
    if (!reader) {
        rememberOpenError(error);
        return kInvalidFile;
    }
    file.reset(new ExtendedAudioFile());
    AudioStreamBasicDescription& f = file->fileFormat_;
    f.mSampleRate = reader->fileRate();
    f.mFormatID = kAudioFormatLinearPCM;
    f.mChannelsPerFrame = reader->channels();
    f.mBitsPerChannel = reader->fileBits() != 0 ? reader->fileBits() : 32;
    f.mFormatFlags =
        (f.mBitsPerChannel == 32 && reader->fileBits() == 0 ? kAudioFormatFlagIsFloat
                                                            : kAudioFormatFlagIsSignedInteger) |
        kAudioFormatFlagIsPacked;
    f.mFramesPerPacket = 1;
    f.mBytesPerFrame = f.mBytesPerPacket = f.mBitsPerChannel / 8 * f.mChannelsPerFrame;
    file->reader_ = std::move(reader);
    file->clientFormat_ = f;
    return noErr;
}

OSStatus ExtendedAudioFile::setClientDataFormat(const AudioStreamBasicDescription& format) {
    if (!SampleCodec::supports(format) || !(format.mSampleRate > 0.0)) {
        return kUnsupportedFormat;
    }
    if (!reader_->setClientRate(format.mSampleRate, quality_, nullptr)) {
        return kUnsupportedFormat;
    }
    clientFormat_ = format;
    return noErr;
}

OSStatus ExtendedAudioFile::read(std::uint32_t& frames, AudioBufferList& list) {
    if (!SampleCodec::supports(clientFormat_)) {
        frames = 0;
        return kUnsupportedFormat; // the file's own format is not readable as is
    }
    const std::uint32_t fileChannels = reader_->channels();
    const std::uint32_t clientChannels = clientFormat_.mChannelsPerFrame;
    const std::uint32_t capacity =
        SampleCodec::bufferCount(clientFormat_) == list.mNumberBuffers
            ? audioBufferAt(list, 0).mDataByteSize / clientFormat_.mBytesPerFrame
            : 0;
    if (capacity < frames) {
        frames = 0;
        return kAudio_ParamError;
    }
    interleaved_.resize(std::size_t{frames} * fileChannels);
    const std::uint32_t read = reader_->read(interleaved_.data(), frames);
    planar_.resize(std::size_t{read} * clientChannels);
    std::vector<float*> channels(clientChannels);
    for (std::uint32_t c = 0; c < clientChannels; ++c) {
        channels[c] = planar_.data() + std::size_t{c} * read;
        const std::uint32_t from = std::min(c, fileChannels - 1);
        for (std::uint32_t i = 0; i < read; ++i) {
            channels[c][i] = interleaved_[std::size_t{i} * fileChannels + from];
        }
    }
    SampleCodec::encode(clientFormat_, list, read, channels.data());
    frames = read;
    return noErr;
}

} // namespace fretkit::host
