#include "foundation/FileIO.h"
#include "host/AudioFileReader.h"
#include "host/AudioFileWriter.h"
#include "host/ExtendedAudioFile.h"
#include "host/FileAudioDevice.h"
#include "host/VirtualAudioDevice.h"
#include "support/AudioTestSupport.h"
#include "support/TempDir.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <gtest/gtest.h>
#include <limits>
#include <mutex>
#include <sys/resource.h>
#include <thread>
#include <vector>

using namespace fretkit::host;

namespace {

std::string writeRamp(const TempDir& dir, const std::string& name, double rate,
                      std::uint32_t channels, std::uint32_t frames) {
    const std::string path = dir.file(name);
    std::vector<float> samples(std::size_t{frames} * channels);
    for (std::uint32_t i = 0; i < frames; ++i) {
        for (std::uint32_t c = 0; c < channels; ++c) {
            samples[std::size_t{i} * channels + c] =
                static_cast<float>((static_cast<int>(i % 200) - 100) * static_cast<int>(c + 1)) /
                32768.0f;
        }
    }
    auto writer = AudioFileWriter::create(path, rate, channels, nullptr);
    EXPECT_TRUE(writer && writer->write(samples.data(), frames) && writer->close());
    return path;
}

AudioStreamBasicDescription sixteenBit(double rate, std::uint32_t channels) {
    AudioStreamBasicDescription f{};
    f.mSampleRate = rate;
    f.mFormatID = kAudioFormatLinearPCM;
    f.mFormatFlags = kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked |
                     kAudioFormatFlagIsNonInterleaved;
    f.mBitsPerChannel = 16;
    f.mChannelsPerFrame = channels;
    f.mFramesPerPacket = 1;
    f.mBytesPerFrame = f.mBytesPerPacket = 2;
    return f;
}

// Lets no file of the process grow past `bytes` while it exists, as a full disk would: a write
// beyond it fails (EFBIG) instead of raising the signal that would end the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// A device client that keeps what the device hands it.
class Collector final : public AudioDeviceClient {
public:
    void deviceCycle(const AudioDeviceCycle& cycle) override {
        for (std::uint32_t i = 0; i < cycle.frames; ++i) {
            heard.push_back(
                cycle.input != nullptr ? cycle.input[std::size_t{i} * cycle.inputChannels] : 0.0f);
            for (std::uint32_t c = 0; c < cycle.outputChannels; ++c) {
                cycle.output[std::size_t{i} * cycle.outputChannels + c] = 0.25f;
            }
        }
        cycles.fetch_add(1);
        cycles.notify_all();
    }
    void deviceStopped(OSStatus status, const std::string& reason) override {
        std::lock_guard lock(mutex);
        stoppedStatus = status;
        stoppedReason = reason;
        stopped = true;
        changed.notify_all();
    }
    bool waitStopped() {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [this] { return stopped; });
    }

    void waitForCycles(int count) {
        for (int seen = cycles.load(); seen < count; seen = cycles.load()) {
            cycles.wait(seen);
        }
    }

    std::vector<float> heard;
    std::atomic<int> cycles{0};
    std::mutex mutex;
    std::condition_variable changed;
    bool stopped = false;
    OSStatus stoppedStatus = 1;
    std::string stoppedReason;
};

} // namespace

TEST(ExtendedAudioFile, ReadsInTheClientFormatWithChannelsSpreadAndRatesConverted) {
    TempDir dir;
    const std::string mono = writeRamp(dir, "mono.wav", 44100.0, 1, 1000);
    std::unique_ptr<ExtendedAudioFile> file;
    ASSERT_EQ(ExtendedAudioFile::open(mono, file), noErr);
    EXPECT_EQ(file->fileDataFormat().mSampleRate, 44100.0);
    EXPECT_EQ(file->fileDataFormat().mBitsPerChannel, 16u);
    EXPECT_EQ(file->fileLengthFrames(), 1000);
    ASSERT_EQ(file->setClientDataFormat(sixteenBit(44100.0, 2)), noErr);

    std::vector<std::int16_t> left(600);
    std::vector<std::int16_t> right(600);
    BufferListOver lists({left.data(), right.data()}, 1200);
    AudioBufferList& list = lists.list();
    std::uint32_t frames = 600;
    ASSERT_EQ(file->read(frames, list), noErr);
    EXPECT_EQ(frames, 600u);
    EXPECT_EQ(left[0], -100);
    EXPECT_EQ(right[0], -100); // the mono file fills both client channels
    EXPECT_EQ(left[150], 50);
    frames = 600;
    ASSERT_EQ(file->read(frames, list), noErr);
    EXPECT_EQ(frames, 400u);
    // Each read leaves the byte sizes at what it read, as the caller must reset them.
    EXPECT_EQ(lists.buffer(1).mDataByteSize, 800u);
    lists.buffer(0).mDataByteSize = lists.buffer(1).mDataByteSize = 1200;
    frames = 600;
    ASSERT_EQ(file->read(frames, list), noErr);
    EXPECT_EQ(frames, 0u);

    // A second of 48 kHz becomes a second of 22.05 kHz.
    const std::string fast = writeRamp(dir, "fast.wav", 48000.0, 1, 48000);
    ASSERT_EQ(ExtendedAudioFile::open(fast, file), noErr);
    file->setConverterQuality(127);
    ASSERT_EQ(file->setClientDataFormat(sixteenBit(22050.0, 1)), noErr);
    std::uint64_t total = 0;
    BufferListOver single({left.data()}, 1200);
    for (;;) {
        frames = 600;
        single.buffer(0).mDataByteSize = 1200;
        ASSERT_EQ(file->read(frames, single.list()), noErr);
        if (frames == 0) {
            break;
        }
        total += frames;
    }
    EXPECT_NEAR(static_cast<double>(total), 22050.0, 32.0);
}

TEST(ExtendedAudioFile, RefusesWhatItCannotReadWithTheRightStatus) {
    TempDir dir;
    std::unique_ptr<ExtendedAudioFile> file;
    EXPECT_EQ(ExtendedAudioFile::open(dir.file("missing.aif"), file),
              ExtendedAudioFile::kFileNotFound);
    EXPECT_NE(ExtendedAudioFile::lastOpenError().find("no such file"), std::string::npos);
    EXPECT_EQ(ExtendedAudioFile::open(dir.write("text.wav", "RIFF but not really"), file),
              ExtendedAudioFile::kInvalidFile);
    EXPECT_EQ(ExtendedAudioFile::open(dir.path().string(), file), ExtendedAudioFile::kFileNotFound);

    ASSERT_EQ(ExtendedAudioFile::open(writeRamp(dir, "ok.wav", 44100.0, 1, 10), file), noErr);
    AudioStreamBasicDescription aac = sixteenBit(44100.0, 1);
    aac.mFormatID = fourCC("aac ");
    EXPECT_EQ(file->setClientDataFormat(aac), ExtendedAudioFile::kUnsupportedFormat);
    // A list too small for the frames asked is refused, not overrun.
    std::int16_t one = 0;
    AudioBufferList tiny{1, {{1, 2, &one}}};
    ASSERT_EQ(file->setClientDataFormat(sixteenBit(44100.0, 1)), noErr);
    std::uint32_t frames = 10;
    EXPECT_EQ(file->read(frames, tiny), kAudio_ParamError);
    EXPECT_EQ(frames, 0u);
}

TEST(AudioFileWriter, RefusesUnwritablePlacesAndSaturates) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(AudioFileWriter::create(dir.file("no/such/dir/x.wav"), 44100.0, 1, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(AudioFileWriter::create(dir.file("x.wav"), 44100.0, 0, &error));

    const std::string path = dir.file("loud.wav");
    auto writer = AudioFileWriter::create(path, 8000.0, 1, nullptr);
    const float loud[] = {3.0f, -3.0f, std::numeric_limits<float>::quiet_NaN(), 0.5f};
    ASSERT_TRUE(writer && writer->write(loud, 4) && writer->close());
    auto reader = AudioFileReader::open(path, nullptr);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->fileRate(), 8000.0);
    float back[4] = {};
    ASSERT_EQ(reader->read(back, 4), 4u);
    EXPECT_EQ(back[0] * 32768.0f, 32767.0f);
    EXPECT_EQ(back[1], -1.0f);
    EXPECT_EQ(back[2], -1.0f);
    EXPECT_EQ(back[3], 0.5f);
}

TEST(FileAudioDevice, PlaysTheInputOnceWritesTheOutputAndStopsByItself) {
    TempDir dir;
    const std::string input = writeRamp(dir, "in.wav", 44100.0, 1, 1300);
    const std::string output = dir.file("out.wav");
    FileAudioDevice::Options options;
    options.inputFile = input;
    options.outputFile = output;
    options.realTime = false;
    options.bufferFrames = 512;
    std::string error;
    auto device = FileAudioDevice::create(options, &error);
    ASSERT_TRUE(device) << error;
    EXPECT_EQ(device->info().inputChannels, 1u);
    Collector collector;
    ASSERT_EQ(device->start(collector), noErr);
    ASSERT_TRUE(collector.waitStopped());
    EXPECT_EQ(collector.stoppedStatus, noErr);
    EXPECT_EQ(collector.stoppedReason, "the input file ended");
    device->stop();
    ASSERT_EQ(collector.heard.size(), 1300u);
    EXPECT_EQ(collector.heard[150] * 32768.0f, 50.0f);
    auto written = AudioFileReader::open(output, nullptr);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->fileFrames(), 1300);
    EXPECT_EQ(written->channels(), 2u);
}

TEST(FileAudioDevice, StopsAtTheWantedLengthAndRefusesBadFiles) {
    TempDir dir;
    FileAudioDevice::Options options;
    options.outputFile = dir.file("exact.wav");
    options.realTime = false;
    options.outputFrames = 1000;
    options.outputChannels = 1;
    auto device = FileAudioDevice::create(options, nullptr);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->info().inputChannels, 0u);
    Collector collector;
    ASSERT_EQ(device->start(collector), noErr);
    ASSERT_TRUE(collector.waitStopped());
    EXPECT_EQ(collector.stoppedReason, "the output is complete");
    device->stop();
    EXPECT_EQ(AudioFileReader::open(options.outputFile, nullptr)->fileFrames(), 1000);

    options.inputFile = dir.write("bad.wav", "nothing");
    std::string error;
    EXPECT_FALSE(FileAudioDevice::create(options, &error));
    EXPECT_FALSE(error.empty());

    options.inputFile.clear();
    options.outputFile = dir.file("missing/dir/out.wav");
    auto unwritable = FileAudioDevice::create(options, nullptr);
    ASSERT_TRUE(unwritable);
    EXPECT_NE(unwritable->start(collector), noErr);
    EXPECT_FALSE(unwritable->lastError().empty());
    EXPECT_FALSE(unwritable->isRunning());
}

// An input cut short plays what it holds and ends; one whose header is cut, or that is no sound
// at all, is refused with a message naming it.
TEST(FileAudioDevice, ATruncatedInputPlaysWhatItHoldsAndWhatIsNoSoundIsRefused) {
    TempDir dir;
    const std::string whole =
        fretkit::FileIO::readAll(writeRamp(dir, "whole.wav", 44100.0, 1, 1300), nullptr).value();
    FileAudioDevice::Options options;
    options.realTime = false;
    options.inputFile = dir.write("cut.wav", whole.substr(0, 44 + 2 * 300 + 1));
    std::string error;
    auto device = FileAudioDevice::create(options, &error);
    ASSERT_TRUE(device) << error;
    Collector collector;
    ASSERT_EQ(device->start(collector), noErr);
    ASSERT_TRUE(collector.waitStopped());
    device->stop();
    EXPECT_EQ(collector.stoppedStatus, noErr);
    EXPECT_EQ(collector.stoppedReason, "the input file ended");
    ASSERT_EQ(collector.heard.size(), 300u);
    EXPECT_EQ(collector.heard[150] * 32768.0f, 50.0f);

    for (const std::string& bad :
         {whole.substr(0, 30), std::string("plain text, not sound"), std::string()}) {
        options.inputFile = dir.write("bad.wav", bad);
        error.clear();
        EXPECT_FALSE(FileAudioDevice::create(options, &error));
        EXPECT_NE(error.find("bad.wav: "), std::string::npos) << error;
    }
}

// A disk that fills up (here: a file size limit the process cannot write past) stops the
// device with a message that says so, and the WAV file keeps what was written before, complete
// and readable.
TEST(FileAudioDevice, ADiskThatFillsUpStopsTheDeviceAndTheFileSoFarStaysValid) {
    TempDir dir;
    FileAudioDevice::Options options;
    options.outputFile = dir.file("full.wav");
    options.realTime = false;
    options.outputChannels = 2;
    options.bufferFrames = 500;
    auto device = FileAudioDevice::create(options, nullptr);
    Collector collector;
    {
        const FileSizeLimit limit(100001); // an odd size: the last frame is cut in the middle
        ASSERT_EQ(device->start(collector), noErr);
        ASSERT_TRUE(collector.waitStopped());
        device->stop(); // completes the file, still under the limit
    }
    EXPECT_EQ(collector.stoppedStatus, FileAudioDevice::kIOError);
    EXPECT_NE(collector.stoppedReason.find("full.wav: the output could not be written"),
              std::string::npos)
        << collector.stoppedReason;
    EXPECT_EQ(device->lastError(), collector.stoppedReason);
    std::string error;
    auto written = AudioFileReader::open(options.outputFile, &error);
    ASSERT_TRUE(written) << error;
    EXPECT_EQ(written->channels(), 2u);
    EXPECT_GT(written->fileFrames(), 20000);
    EXPECT_LE(written->fileFrames(), 25000);
    std::vector<float> frames(static_cast<std::size_t>(written->fileFrames()) * 2);
    ASSERT_EQ(written->read(frames.data(), static_cast<std::uint32_t>(written->fileFrames())),
              static_cast<std::uint32_t>(written->fileFrames()));
    for (const float sample : frames) {
        ASSERT_EQ(sample, 0.25f);
    }
}

// A cycle of 8192 frames at 1 Hz lasts over two hours: after the first cycle a paced device
// sleeps, so stop() must wake it (a device that slept on would hold the test up until the
// suite's time limit) and no second cycle can have run.
TEST(FileAudioDevice, InRealTimeItIsPacedAndStopsAtOnceWhenAsked) {
    FileAudioDevice::Options options; // no files: a silent clock
    options.sampleRate = 1.0;
    options.bufferFrames = 8192;
    auto device = FileAudioDevice::create(options, nullptr);
    Collector collector;
    ASSERT_EQ(device->start(collector), noErr);
    collector.waitForCycles(1);
    device->stop();
    EXPECT_FALSE(device->isRunning());
    EXPECT_EQ(device->framesPlayed(), 8192u);
    EXPECT_EQ(collector.cycles.load(), 1);
    EXPECT_FALSE(collector.stopped); // asked to stop: not a stop of its own
}

// A cycle that overruns its deadline by more than a buffer is a dropout the device counts.
TEST(VirtualAudioDevice, CountsAnUnderrunWhenACycleRunsPastTheNextOne) {
    class SlowStart final : public AudioDeviceClient {
    public:
        void deviceCycle(const AudioDeviceCycle&) override {
            if (cycles.fetch_add(1) == 1) {
                // Far longer than the 64-frame buffer: the next cycle is due long before. (The
                // pace is counted from the end of the first cycle.)
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
            }
            cycles.notify_all();
        }
        void deviceStopped(OSStatus, const std::string&) override {}
        std::atomic<int> cycles{0};
    } client;
    VirtualAudioDevice device(44100.0, 0, 2, 64);
    ASSERT_EQ(device.start(client), noErr);
    for (int seen = client.cycles.load(); seen < 3; seen = client.cycles.load()) {
        client.cycles.wait(seen);
    }
    device.stop();
    EXPECT_GE(device.xruns().underruns, 1u);
    EXPECT_EQ(device.xruns().overruns, 0u);
}
