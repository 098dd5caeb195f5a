#include "FileAudioDevice.h"

#include "HostTime.h"

#include <algorithm>
#include <chrono>

namespace fretkit::host {

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

std::uint32_t FileAudioDevice::ringFrames() const {
    // A second of sound, and never fewer than a few buffers: room for a disk that stalls.
    const auto second = static_cast<std::uint32_t>(options_.sampleRate);
    return std::max(second, 8 * options_.bufferFrames);
}

bool FileAudioDevice::openFiles(std::string* error) {
    if (!options_.inputFile.empty()) {
        std::unique_ptr<AudioFileReader> reader = AudioFileReader::open(options_.inputFile, error);
        if (!reader || !reader->setClientRate(options_.sampleRate, 127, error)) {
            return false;
        }
        reader_ = std::make_unique<BufferedFileReader>(std::move(reader), ringFrames());
    }
    if (!options_.outputFile.empty()) {
        std::unique_ptr<AudioFileWriter> writer = AudioFileWriter::create(
            options_.outputFile, options_.sampleRate, options_.outputChannels, error);
        if (!writer) {
            return false;
        }
        writer_ = std::make_unique<BufferedFileWriter>(std::move(writer), options_.outputChannels,
                                                       ringFrames());
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
        return kIOError;
    }
    input_.assign(std::size_t{options_.bufferFrames} * std::max(inputChannels_, 1u), 0.0f);
    output_.assign(std::size_t{options_.bufferFrames} * options_.outputChannels, 0.0f);
    if (reader_ && options_.realTime) {
        reader_->prime(2 * options_.bufferFrames); // the first cycles find their input
    }
    framesPlayed_.store(0);
    running_.store(true);
    thread_.start([this, &client](DeviceThread& thread) { run(client, thread); },
                  options_.realTime);
    return noErr;
}

void FileAudioDevice::stop() {
    thread_.stop();
    std::lock_guard lock(mutex_);
    // What is still queued for the output file is written now, and the file completed.
    if (writer_ && !writer_->finish() && lastError_.empty()) {
        lastError_ = options_.outputFile + ": the output could not be written completely";
    }
    writer_.reset();
    reader_.reset();
    running_.store(false);
}

bool FileAudioDevice::pullInput(std::uint32_t& frames) {
    const std::uint32_t got = reader_->pull(input_.data(), frames, !options_.realTime);
    if (got == frames) {
        return true;
    }
    if (reader_->ended()) {
        frames = got; // the last block of the input is played short, then the device stops
        return got > 0;
    }
    // The reader fell behind the clock: what it could not deliver in time is silence.
    countUnderrun();
    std::fill(input_.begin() + static_cast<std::ptrdiff_t>(std::size_t{got} * inputChannels_),
              input_.begin() + static_cast<std::ptrdiff_t>(std::size_t{frames} * inputChannels_),
              0.0f);
    return true;
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
        if (reader_ && !pullInput(frames)) {
            stoppedReason = "the input file ended";
            break;
        }
        AudioDeviceCycle current = cycle;
        current.frames = frames;
        current.timeStamp.mHostTime = hostAbsoluteTime();
        client.deviceCycle(current);
        if (writer_) {
            const BufferedFileWriter::Push pushed =
                writer_->push(output_.data(), frames, !options_.realTime);
            if (pushed == BufferedFileWriter::Push::NoRoom) {
                countOverrun(); // the writer fell behind: this block is lost to the file
            } else if (pushed == BufferedFileWriter::Push::Failed) {
                stoppedStatus = kIOError;
                stoppedReason = options_.outputFile + ": the output could not be written (" +
                                writer_->error() + ")";
                break;
            }
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
