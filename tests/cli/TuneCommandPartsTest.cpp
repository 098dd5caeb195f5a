#include "TuneCsvWriter.h"
#include "TuneListener.h"
#include "TuneOptions.h"
#include "TuneStatusLine.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"
#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"
#include "foundation/UserDefaults.h"
#include "support/LogCapture.h"
#include "support/Signals.h"
#include "support/TempDir.h"
#include "tuner/TNTunerEngine.h"

#include <gtest/gtest.h>
#include <sstream>

using fretkit::PlistValue;

namespace {

std::optional<TuneOptions> parse(const std::vector<std::string>& args,
                                 std::string* error = nullptr) {
    std::string reason;
    auto options = TuneOptions::parse(args, reason);
    EXPECT_EQ(options.has_value(), reason.empty()) << reason;
    if (error) {
        *error = reason;
    }
    return options;
}

std::unique_ptr<TNTunerEngine> makeEngine() {
    return TNTunerEngine::create(
        44100.0,
        TNTunings(PlistValue::array(
            {PlistValue::dictionary(
                 {{"name", "Standard"}, {"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}}),
             PlistValue::dictionary(
                 {{"name", "Drop D"}, {"notes", PlistValue::array({64, 59, 55, 50, 45, 38})}})})));
}

} // namespace

TEST(TuneOptions, ReadsAFileOrTheMicrophoneWithSettings) {
    const auto file =
        parse({"take.wav", "--reference", "442", "--tuning=Drop D", "--detune", "-1"});
    ASSERT_TRUE(file);
    EXPECT_EQ(file->file, "take.wav");
    EXPECT_FALSE(file->mic);
    EXPECT_DOUBLE_EQ(*file->reference, 442.0);
    EXPECT_EQ(*file->tuning, "Drop D");
    EXPECT_EQ(*file->detune, -1);

    const auto mic = parse({"--mic"});
    ASSERT_TRUE(mic);
    EXPECT_TRUE(mic->mic);
    EXPECT_FALSE(mic->reference || mic->tuning || mic->detune);
}

TEST(TuneOptions, RejectsWhatItCannotUse) {
    std::string error;
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"a.wav", "--mic"},
                                                                  {"a.wav", "b.wav"},
                                                                  {"a.wav", "--reference"},
                                                                  {"a.wav", "--reference", "fast"},
                                                                  {"a.wav", "--reference=0"},
                                                                  {"a.wav", "--reference", "nan"},
                                                                  {"a.wav", "--reference", "440Hz"},
                                                                  {"a.wav", "--detune", "1.5"},
                                                                  {"a.wav", "--detune", "99"},
                                                                  {"a.wav", "--tuning"},
                                                                  {"a.wav", "--loud"}}) {
        EXPECT_FALSE(parse(args, &error)) << ::testing::PrintToString(args);
        EXPECT_FALSE(error.empty());
    }
    parse({"a.wav", "--bogus"}, &error);
    EXPECT_EQ(error, "unknown option '--bogus'");
}

TEST(TuneOptions, OverrideTheStoredSettingsAndFindTuningsByNameOrIndex) {
    LogCapture log;
    TempDir dir;
    fretkit::UserDefaults defaults(dir.file("defaults.plist"));
    TNTunerEngine::registerDefaults(defaults);
    defaults.setInteger(2, TNTunerEngine::kTuningKey);
    defaults.setDouble(432.0, TNTunerEngine::kReferenceKey);
    auto engine = makeEngine();
    std::string error;

    ASSERT_TRUE(parse({"--mic"})->apply(*engine, defaults, error)) << error;
    EXPECT_EQ(engine->tuningIndex(), 2u);
    EXPECT_DOUBLE_EQ(engine->reference(), 432.0);

    ASSERT_TRUE(parse({"--mic", "--tuning", "standard", "--reference", "440", "--detune", "2"})
                    ->apply(*engine, defaults, error));
    EXPECT_EQ(engine->tuningIndex(), 1u);
    EXPECT_DOUBLE_EQ(engine->reference(), 440.0);
    EXPECT_EQ(engine->detune(), 2);

    ASSERT_TRUE(parse({"--mic", "--tuning", "0"})->apply(*engine, defaults, error));
    EXPECT_EQ(engine->tuningIndex(), 0u);

    EXPECT_FALSE(parse({"--mic", "--tuning", "3"})->apply(*engine, defaults, error));
    EXPECT_NE(error.find("unknown tuning '3'"), std::string::npos);
    EXPECT_NE(error.find("2  Drop D"), std::string::npos);
}

TEST(TuneCsvWriter, WritesOneLinePerNoteWithTimeFromTheStart) {
    std::ostringstream out;
    TuneCsvWriter csv(out, 44100.0);
    csv.writeHeader();
    const PlistValue chromatic = PlistValue::dictionary({{"name", "Chromatic"}});
    EXPECT_TRUE(csv.write({82.5, 0.93, 44100, TNNote::make(40.019, chromatic, 0)}));
    EXPECT_FALSE(csv.write({300.0, 0.5, 88200, std::nullopt}));
    const PlistValue standard =
        PlistValue::dictionary({{"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}});
    EXPECT_TRUE(csv.write({109.0, 0.95, 66150, TNNote::make(44.85, standard, 0)}));
    EXPECT_EQ(out.str(), "time,frequency,quality,note,cents\n"
                         "1.0000,82.500,0.9300,E2,+1.9\n"
                         "1.5000,109.000,0.9500,5,-15.0\n");
}

namespace {

struct Pass {
    std::uint64_t frames;
    double frequency;
    bool operator==(const Pass&) const = default;
};

// The passes a listener makes over a 110 Hz sine delivered in buffers of `bufferFrames`.
std::vector<Pass> passesWithBuffers(std::uint32_t bufferFrames) {
    auto engine = makeEngine();
    std::vector<Pass> passes;
    engine->setResultHandler([&](const TNTunerResult& result) {
        passes.push_back({result.frames, result.frequency});
    });
    TuneListener listener(*engine, 1024);
    const auto samples = signals::toInt16(signals::sine(110.0, 44100.0, 10000));
    auto buffer = QVAudioBuffer::bufferWithChannels(1, bufferFrames);
    for (std::size_t start = 0; start < samples.size(); start += bufferFrames) {
        const auto frames =
            static_cast<std::uint32_t>(std::min<std::size_t>(bufferFrames, samples.size() - start));
        buffer->setFrames(frames);
        buffer->setSampleValues(samples.data() + start, frames, 0);
        listener.input(*buffer, QVAudioTimeStamp(), false);
    }
    fretkit::MainThread::defaultQueue().pump();
    EXPECT_EQ(listener.frames(), samples.size());
    return passes;
}

} // namespace

TEST(TuneListener, PassesFallEvery1024FramesWhateverTheBufferSize) {
    LogCapture log;
    const std::vector<Pass> reference = passesWithBuffers(1024);
    ASSERT_EQ(reference.size(), 9u); // 10000 frames hold nine whole passes
    for (std::size_t i = 0; i < reference.size(); ++i) {
        EXPECT_EQ(reference[i].frames, 1024u * (i + 1));
    }
    EXPECT_EQ(passesWithBuffers(512), reference);
    EXPECT_EQ(passesWithBuffers(3000), reference);
    EXPECT_EQ(passesWithBuffers(333), reference);
}

TEST(TuneStatusLine, ShowsNoteCentsNeedleAndLevel) {
    const PlistValue chromatic = PlistValue::dictionary({{"name", "Chromatic"}});
    EXPECT_EQ(TuneStatusLine::format(std::nullopt, 0),
              "--           --  [-----|-----]  level [----]");
    EXPECT_EQ(TuneStatusLine::format(TNNote::make(40.0, chromatic, 0), 0b1100),
              "E2       +0.0 c  [-----#-----]  level [##--]");
    // The needle moves a cell per 10 cents and stops at the ends.
    EXPECT_EQ(TuneStatusLine::format(TNNote::make(45.23, chromatic, 0), 0b1111),
              "A2      +23.0 c  [-----|-#---]  level [####]");
    EXPECT_EQ(TuneStatusLine::format(TNNote::make(44.52, chromatic, 0), 0b1000),
              "A2      -48.0 c  [#----|-----]  level [#---]");
    const PlistValue standard =
        PlistValue::dictionary({{"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}});
    EXPECT_EQ(TuneStatusLine::format(TNNote::make(39.9, standard, 0), 0),
              "6 (E2)  -10.0 c  [----#|-----]  level [----]");
}
