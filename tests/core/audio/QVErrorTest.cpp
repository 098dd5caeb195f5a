#include "audio/QVError.h"

#include "audio/QVAudioSessionError.h"
#include "audio/QVAudioStreamDescriptionError.h"
#include "audio/QVByteBufferError.h"
#include "audio/QVEffectError.h"
#include "audio/QVStreamError.h"
#include "foundation/AlertPresenter.h"
#include "foundation/FourCharCode.h"

#include <gtest/gtest.h>
#include <typeinfo>

using fretkit::Alert;
using fretkit::AlertPresenter;
using fretkit::fourCharCode;
using fretkit::PlistValue;

namespace {

class RecordingPresenter final : public AlertPresenter {
public:
    void present(const Alert& alert) override { alerts.push_back(alert); }
    std::vector<Alert> alerts;
};

class AlertingTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = AlertPresenter::install(&presenter); }
    void TearDown() override { AlertPresenter::install(previous_); }

    RecordingPresenter presenter;

private:
    AlertPresenter* previous_ = nullptr;
};

using Factory = QVErrorPtr (*)(std::int32_t code, const std::string& action);

template <class ErrorClass>
QVErrorPtr make(std::int32_t code, const std::string& action) {
    return ErrorClass::errorWithCode(code, action);
}

template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

template <class ErrorClass>
bool isInstanceOf(const QVError& error) {
    return typeid(error) == typeid(ErrorClass);
}

// --- Reasons: each class reads its own table, and unlisted codes fall back. ---

struct ReasonCase {
    const char* name;
    Factory make;
    std::int32_t code;
    const char* reason;
};

void PrintTo(const ReasonCase& c, std::ostream* os) {
    *os << c.name;
}

class ReasonTest : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(ReasonTest, DescriptionJoinsActionAndReason) {
    const ReasonCase& c = GetParam();
    QVErrorPtr error = c.make(c.code, "Doing it");
    EXPECT_EQ(error->code(), c.code);
    EXPECT_EQ(error->localizedFailureReason(), c.reason);
    EXPECT_EQ(error->localizedDescription(), std::string("Doing it failed because ") + c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    AllTables, ReasonTest,
    ::testing::Values(
        ReasonCase{"SessionFourCharCode", make<QVAudioSessionError>, fourCharCode("nohw"),
                   "there is no audio hardware."},
        ReasonCase{"BufferLast", make<QVByteBufferError>, 8, "the buffer list was not built."},
        ReasonCase{"EffectUnitStatus", make<QVEffectError>, -10866,
                   "the Audio Unit scope was invalid."},
        ReasonCase{"EffectHighBitStatus", make<QVEffectError>,
                   static_cast<std::int32_t>(0x80008001u),
                   "the Audio Unit has not been initialized."},
        // The same number means different things to the effect and stream tables.
        ReasonCase{"SharedCodeInEffect", make<QVEffectError>, -10868,
                   "the format is not supported by this Audio Unit."},
        ReasonCase{"SharedCodeInStream", make<QVStreamError>, -10868,
                   "the format is not supported."},
        // Codes a class does not list, including ones another class lists.
        ReasonCase{"BaseClass", make<QVError>, 1, "an undefined error occurred: 1"},
        ReasonCase{"DescriptionHasNoTable", make<QVAudioStreamDescriptionError>,
                   fourCharCode("fmt?"), "an undefined error occurred: 1718449215"},
        ReasonCase{"BufferUnlisted", make<QVByteBufferError>, 42,
                   "an undefined error occurred: 42"},
        ReasonCase{"SessionNegative", make<QVAudioSessionError>, -10862,
                   "an undefined error occurred: -10862"},
        ReasonCase{"EffectGraphOnlyCode", make<QVEffectError>, -10864,
                   "an undefined error occurred: -10864"},
        // Loading errors of component formats this host never loads have no reason of their own.
        ReasonCase{"EffectLoaderCode", make<QVEffectError>, 3585,
                   "an undefined error occurred: 3585"},
        ReasonCase{"EffectSmallLoaderCode", make<QVEffectError>, 2,
                   "an undefined error occurred: 2"}),
    caseName<ReasonCase>);

TEST(QVErrorDescription, ReadsAsOneSentenceBuiltFromNamedParts) {
    EXPECT_EQ(QVStreamError::errorWithCode(-10862, "Adding")->localizedDescription(),
              "Adding failed because streams can only contain one output unit.");

    std::string action =
        "Applying the " + QVAudioSessionError::propertyNameForCode(fourCharCode("acat"));
    EXPECT_EQ(
        QVAudioSessionError::errorWithCode(fourCharCode("!cat"), action)->localizedDescription(),
        "Applying the category failed because the operation is incompatible with the "
        "current category.");

    action = "Applying the " + QVEffectError::propertyNameForCode(8) + " to the " +
             QVEffectError::scopeNameForCode(2) + " scope";
    EXPECT_EQ(QVEffectError::errorWithCode(-10865, action)->localizedDescription(),
              "Applying the stream format to the output scope failed because the Audio Unit "
              "property was not writable.");
}

TEST(QVErrorNames, NameKnownCodesAndCallTheRestUnknown) {
    EXPECT_EQ(QVAudioSessionError::propertyNameForCode(fourCharCode("iobd")),
              "preferred I/O buffer duration");
    EXPECT_EQ(QVAudioSessionError::propertyNameForCode(fourCharCode("ovrd")), "force speaker");
    // The speaker default is used without error reporting, so it has no name.
    EXPECT_EQ(QVAudioSessionError::propertyNameForCode(fourCharCode("cspk")), "unknown");

    EXPECT_EQ(QVEffectError::propertyNameForCode(0), "settings");
    EXPECT_EQ(QVEffectError::propertyNameForCode(2007), "start timestamps at zero");
    EXPECT_EQ(QVEffectError::propertyNameForCode(5), "unknown");

    EXPECT_EQ(QVEffectError::scopeNameForCode(0), "global");
    EXPECT_EQ(QVEffectError::scopeNameForCode(3), "unknown");
}

// --- Class identity: the built instance, its domain, options and alert title. ---

struct ClassCase {
    const char* name;
    Factory make;
    bool (*isExpectedClass)(const QVError&);
    const char* domain;
    const char* alertTitle;
    bool offersRecovery;
};

void PrintTo(const ClassCase& c, std::ostream* os) {
    *os << c.name;
}

class ErrorClassTest : public AlertingTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(ErrorClassTest, ErrorWithCodeBuildsTheReceivingClass) {
    const ClassCase& c = GetParam();
    QVErrorPtr error = c.make(-50, "Setting the volume");
    EXPECT_TRUE(c.isExpectedClass(*error));
    EXPECT_EQ(error->errorDomain(), c.domain);
    EXPECT_EQ(error->code(), -50);
}

TEST_P(ErrorClassTest, RecoveryOptionsAppearOnlyForClassesThatHaveThem) {
    const ClassCase& c = GetParam();
    QVErrorPtr error = c.make(1, "Copying a buffer range");
    EXPECT_EQ(error->userInfo().contains(QVError::localizedRecoveryOptionsKey), c.offersRecovery);
    if (c.offersRecovery) {
        EXPECT_EQ(error->localizedRecoveryOptions(),
                  (std::vector<std::string>{"Continue", "Quit"}));
    } else {
        EXPECT_EQ(error->localizedRecoveryOptions(), std::nullopt);
        EXPECT_EQ(error->userInfo().keys(),
                  (std::vector<std::string>{QVError::localizedDescriptionKey,
                                            QVError::localizedFailureReasonKey}));
    }
}

TEST_P(ErrorClassTest, AlertShowsTheDescriptionUnderTheClassTitle) {
    const ClassCase& c = GetParam();
    QVErrorPtr error = c.make(2, "Starting the stream");
    error->alert();
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].title, c.alertTitle);
    EXPECT_EQ(presenter.alerts[0].message, error->localizedDescription());
    EXPECT_EQ(presenter.alerts[0].buttons, std::vector<std::string>{"OK"});
}

INSTANTIATE_TEST_SUITE_P(
    AllClasses, ErrorClassTest,
    ::testing::Values(ClassCase{"Base", make<QVError>, isInstanceOf<QVError>, "QVErrorDomain",
                                "An error occurred", false},
                      ClassCase{"AudioSession", make<QVAudioSessionError>,
                                isInstanceOf<QVAudioSessionError>, "QVAudioSessionErrorDomain",
                                "An audio session error occurred", false},
                      ClassCase{"StreamDescription", make<QVAudioStreamDescriptionError>,
                                isInstanceOf<QVAudioStreamDescriptionError>,
                                "QVAudioStreamDescriptionErrorDomain",
                                "An audio stream description error occurred", false},
                      ClassCase{"ByteBuffer", make<QVByteBufferError>,
                                isInstanceOf<QVByteBufferError>, "QVByteBufferErrorDomain",
                                "An audio buffer error occurred", false},
                      ClassCase{"Effect", make<QVEffectError>, isInstanceOf<QVEffectError>,
                                "QVEffectErrorDomain", "An effect error occurred", true},
                      ClassCase{"Stream", make<QVStreamError>, isInstanceOf<QVStreamError>,
                                "QVStreamErrorDomain", "An audio stream error occurred", true}),
    caseName<ClassCase>);

// --- Alerts outside errorWithCode(). ---

using QVErrorAlertTest = AlertingTest;

TEST_F(QVErrorAlertTest, NullErrorShowsNothingAndAnErrorShowsItself) {
    QVError::alert(nullptr);
    EXPECT_TRUE(presenter.alerts.empty());

    QVErrorPtr error = QVByteBufferError::errorWithCode(3, "Copying between buffers");
    QVError::alert(error.get());
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].title, "An audio buffer error occurred");
}

TEST_F(QVErrorAlertTest, ErrorWithoutDescriptionNamesDomainAndCode) {
    QVEffectError error("SomeDomain", -10862, PlistValue::dictionary());
    error.alert();
    error.alertWithMessage("Custom title");
    ASSERT_EQ(presenter.alerts.size(), 2u);
    EXPECT_EQ(presenter.alerts[0].title, "An effect error occurred");
    EXPECT_EQ(presenter.alerts[1].title, "Custom title");
    for (const Alert& alert : presenter.alerts) {
        EXPECT_EQ(
            alert.message,
            "This error does not have a detailed description: (SomeDomain error code -10862)");
        EXPECT_EQ(alert.buttons, std::vector<std::string>{"OK"});
    }
}

} // namespace
