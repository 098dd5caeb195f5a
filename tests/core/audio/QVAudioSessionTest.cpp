#include "audio/QVAudioSession.h"

#include "foundation/FourCharCode.h"
#include "foundation/NotificationCenter.h"
#include "host/AudioSessionService.h"
#include "support/AudioTestSupport.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using namespace fretkit::host;

using fretkit::NotificationCenter;
using fretkit::PlistValue;

namespace {

class QVAudioSessionTest : public ::testing::Test {
protected:
    void SetUp() override { device = &installOfflineDevice(44100.0, 1, 2); }
    void TearDown() override { HostFaults::reset(); }

    OfflineAudioDevice* device = nullptr;
    AlertRecorder alerts;
};

struct Observed {
    Observed() {
        token = NotificationCenter::defaultCenter().addObserver(
            "", nullptr, [this](const fretkit::Notification& n) {
                names.push_back(n.name);
                values.push_back(n.userInfo);
            });
    }
    ~Observed() { NotificationCenter::defaultCenter().removeObserver(token); }
    NotificationCenter::Token token;
    std::vector<std::string> names;
    std::vector<PlistValue> values;
};

} // namespace

TEST_F(QVAudioSessionTest, IsOneSharedSessionOverTheDevice) {
    QVAudioSession* session = QVAudioSession::session();
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(session, QVAudioSession::session());
    EXPECT_TRUE(session->isInputAvailable());
    EXPECT_FALSE(session->isOtherAudioPlaying());
    EXPECT_EQ(session->inputChannelCount(), 1u);
    EXPECT_EQ(session->outputChannelCount(), 2u);
    EXPECT_EQ(session->route(), "SpeakerAndMicrophone");
    device->setRoute("");
    EXPECT_EQ(session->route(), "(none)");
    session->setCategory(QVAudioSession::kCategoryPlayAndRecord);
    EXPECT_EQ(session->category(), QVAudioSession::kCategoryPlayAndRecord);
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(QVAudioSessionTest, PreferredRateIsAskedOfTheHardwareAndReadBackFresh) {
    QVAudioSession* session = QVAudioSession::session();
    Observed observed;
    EXPECT_EQ(QVAudioSession::sampleRate(), 44100.0);
    session->setPreferredSampleRate(48000.0);
    EXPECT_EQ(session->preferredSampleRate(), 48000.0);
    EXPECT_EQ(QVAudioSession::sampleRate(), 48000.0);
    ASSERT_EQ(observed.names.size(), 1u);
    EXPECT_EQ(observed.names[0], QVAudioSession::kSampleRateDidChange);
    EXPECT_EQ(observed.values[0].doubleValue(), 48000.0);
    session->setPreferredSampleRate(44100.0);
}

TEST_F(QVAudioSessionTest, InputLatencyWithoutInputMakesNoCall) {
    installOfflineDevice(44100.0, 0, 2);
    QVAudioSession* session = QVAudioSession::session();
    HostFaults::failCall(HostCall::SessionGetProperty, 1, fretkit::fourCharCode("what"),
                         AudioSessionService::kInputLatency);
    EXPECT_EQ(session->inputLatency(), 0.0f);
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_FALSE(session->isInputAvailable());
}

TEST_F(QVAudioSessionTest, FailuresAreAlertedWithTheirActionAndReason) {
    QVAudioSession* session = QVAudioSession::session();
    session->setActive(false); // deactivating an inactive session is no failure
    session->setActive(true);
    EXPECT_TRUE(alerts.alerts.empty());

    HostFaults::failCall(HostCall::SessionSetProperty, 1, fretkit::fourCharCode("!cat"));
    session->setCategory(QVAudioSession::kCategoryMediaPlayback);
    HostFaults::failCall(HostCall::SessionGetProperty, 1, fretkit::fourCharCode("!ini"));
    EXPECT_EQ(session->category(), 0x7FFFFFFFu);
    HostFaults::failCall(HostCall::SessionSetActive, 1, fretkit::fourCharCode("!act"));
    session->setActive(true);
    ASSERT_EQ(alerts.alerts.size(), 3u);
    EXPECT_EQ(alerts.alerts[0].title, "An audio session error occurred");
    EXPECT_EQ(alerts.alerts[0].message, "Applying the category failed because the operation is "
                                        "incompatible with the current category.");
    EXPECT_EQ(alerts.alerts[1].message,
              "Retrieving category failed because the audio session is not initialized.");
    EXPECT_EQ(alerts.alerts[2].message, "Changing the active state of the audio session failed "
                                        "because the audio session is not active.");
}

TEST_F(QVAudioSessionTest, InterruptionsAndRouteChangesReachDelegateAndObservers) {
    struct Delegate : QVAudioSessionDelegate,
                      QVAudioSessionInterruptionObserver,
                      QVAudioSessionRouteObserver {
        void audioSessionWasInterrupted(QVAudioSession&) override { calls += "interrupted;"; }
        void audioSessionRouteDidChangeTo(const std::string& route, const PlistValue& from,
                                          std::int64_t reason) override {
            calls += route + "<" + from.stringValue() + ":" + std::to_string(reason) + ";";
        }
        std::string calls;
    } delegate;
    QVAudioSession* session = QVAudioSession::session();
    session->setDelegate(&delegate);
    Observed observed;
    AudioSessionService::interrupt(AudioSessionService::kBeginInterruption);
    AudioSessionService::interrupt(AudioSessionService::kEndInterruption); // no resume observer
    AudioSessionService::interrupt(7);
    const PlistValue change = PlistValue::dictionary(
        {{"OutputDeviceDidChange_OldRoute", "Headphone"}, {"OutputDeviceDidChange_Reason", 2}});
    AudioSessionService::routeChanged(&change);
    session->setDelegate(nullptr);
    EXPECT_EQ(delegate.calls, "interrupted;SpeakerAndMicrophone<Headphone:2;");
    EXPECT_EQ(observed.names,
              (std::vector<std::string>{QVAudioSession::kWasInterrupted, QVAudioSession::kDidResume,
                                        QVAudioSession::kRouteDidChange}));
    EXPECT_EQ(observed.values[2], change);
}

TEST_F(QVAudioSessionTest, StatusLinesComeInTheirOrder) {
    LogCapture log;
    QVAudioSession::printStatusToLog();
    const std::vector<std::string> prefixes = {"category = ",
                                               "route = ",
                                               "isOtherAudioPlaying = ",
                                               "isInputAvailable = ",
                                               "sampleRate = ",
                                               "preferredSampleRate = ",
                                               "inputChannelCount = ",
                                               "outputChannelCount = ",
                                               "outputVolume = ",
                                               "inputLatency = ",
                                               "outputLatency = ",
                                               "IOBufferDuration = ",
                                               "preferredIOBufferDuration = "};
    ASSERT_EQ(log.lines().size(), prefixes.size());
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
        EXPECT_EQ(log.lines()[i].rfind(prefixes[i], 0), 0u) << log.lines()[i];
    }
    EXPECT_EQ(log.lines()[4], "sampleRate = 44100.000000");
}
