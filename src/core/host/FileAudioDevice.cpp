#include "FileAudioDevice.h"

#include "HostTime.h"

#include <algorithm>
#include <chrono>

namespace fretkit::host {

namespace {

constexpr OSStatus kOutputFileError = -36; // an I/O error

} // namespace

FileAudioDevice::FileAudioDevice(const Options& options) : options_(options) {}

FileAudioDevice::~FileAudioDevice() {
    stop();
}

std::unique_ptr<FileAudioDevice> FileAudioDevice::create(const Options& options,
                                                         std::string* error) {
    std::unique_ptr<FileAudioDevice> device(new FileAudioDevice(options));
    if (!options.inputFile.empty()) {
        // Opened once now to learn its channels and to fail early on a bad file.
        std::unique_ptr<AudioFileReader> probe = AudioFileReader::open(options.inputFile, error);
        if (!probe) {
            return nullptr;
        }
        device->inputChannels_ = std::min(probe->channels(), 16u);
    }
    return device;
}

AudioDeviceInfo FileAudioDevice::info() const {
    std::lock_guard lock(mutex_);
    AudioDeviceInfo info;
    info.name = "Files";
    info.route = inputChannels_ > 0 ? "FileInFileOut" : "FileOut";
    info.sampleRate = options_.sampleRate;
    info.inputChannels = inputChannels_;
    info.outputChannels = options_.outputChannels;
    info.bufferFrames = options_.bufferFrames;
    return info;
}

void FileAudioDevice::setPreferredSampleRate(double rate) {
    std::lock_guard lock(mutex_);
    if (rate > 0.0) {
        options_.sampleRate = rate;
    }
}

void FileAudioDevice::setPreferredBufferFrames(std::uint32_t frames) {
    std::lock_guard lock(mutex_);
    options_.bufferFrames = std::clamp(frames, 16u, 8192u);
}

std::string FileAudioDevice::lastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

bool FileAudioDevice::openFiles(std::string* error) {
    if (!options_.inputFile.empty()) {
        reader_ = AudioFileReader::open(options_.inputFile, error);
        if (!reader_ || !reader_->setClientRate(options_.sampleRate, 127, error)) {
            return false;
        }
    }
    if (!options_.outputFile.empty()) {
        writer_ = AudioFileWriter::create(options_.outputFile, options_.sampleRate,
                                          options_.outputChannels, error);
        if (!writer_) {
            return false;
        }
    }
    return true;
}

OSStatus FileAudioDevice::start(AudioDeviceClient& client) {
    stop();
    std::lock_guard lock(mutex_);
    std::string error;
    if (!openFiles(&error)) {
        lastError_ = error;
        reader_.reset();
        writer_.reset();
        return kOutputFileError;
    }
    input_.assign(std::size_t{options_.bufferFrames} * std::max(inputChannels_, 1u), 0.0f);
    output_.assign(std::size_t{options_.bufferFrames} * options_.outputChannels, 0.0f);
    framesPlayed_.store(0);
    running_.store(true);
    thread_.start([this, &client](DeviceThread& thread) { run(client, thread); });
    return noErr;
}

void FileAudioDevice::stop() {
    thread_.stop();
    std::lock_guard lock(mutex_);
    if (writer_ && !writer_->close() && lastError_.empty()) {
        lastError_ = options_.outputFile + ": the output could not be written completely";
    }
    writer_.reset();
    reader_.reset();
    running_.store(false);
}

void FileAudioDevice::run(AudioDeviceClient& client, DeviceThread& thread) {
    AudioDeviceCycle cycle;
    cycle.frames = options_.bufferFrames;
    cycle.inputChannels = inputChannels_;
    cycle.input = inputChannels_ > 0 ? input_.data() : nullptr;
    cycle.outputChannels = options_.outputChannels;
    cycle.output = output_.data();
    cycle.timeStamp.mFlags = kAudioTimeStampSampleTimeValid | kAudioTimeStampHostTimeValid;
    const std::chrono::duration<double> period(cycle.frames / options_.sampleRate);
    OSStatus stoppedStatus = noErr;
    std::string stoppedReason;
    for (;;) {
        std::uint32_t frames = cycle.frames;
        if (options_.outputFrames > 0) {
            const std::uint64_t left = options_.outputFrames - framesPlayed_.load();
            if (left == 0) {
                stoppedReason = "the output is complete";
                break;
            }
            frames = static_cast<std::uint32_t>(std::min<std::uint64_t>(frames, left));
        }
        if (reader_) {
            // The last block of the input is played short, then the device stops.
            frames = reader_->read(input_.data(), frames);
            if (frames == 0) {
                stoppedReason = "the input file ended";
                break;
            }
        }
        AudioDeviceCycle current = cycle;
        current.frames = frames;
        current.timeStamp.mHostTime = hostAbsoluteTime();
        client.deviceCycle(current);
        if (writer_ && !writer_->write(output_.data(), frames)) {
            stoppedStatus = kOutputFileError;
            stoppedReason = options_.outputFile + ": the disk refused the output";
            break;
        }
        cycle.timeStamp.mSampleTime += frames;
        framesPlayed_.fetch_add(frames);
        bool late = false;
        if (!(options_.realTime ? thread.waitForNextCycle(period, &late) : thread.keepGoing())) {
            return;
        }
        if (late) {
            countUnderrun();
        }
    }
    {
        std::lock_guard lock(mutex_);
        if (stoppedStatus != noErr) {
            lastError_ = stoppedReason;
        }
    }
    running_.store(false);
    client.deviceStopped(stoppedStatus, stoppedReason);
}

} // namespace fretkit::host
