#include "QVAudioSession.h"

#include "QVAudioSessionError.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "foundation/NotificationCenter.h"
#include "host/AudioSessionService.h"

#include <atomic>
#include <cstring>

using namespace fretkit::host;

using fretkit::NotificationCenter;
using fretkit::PlistValue;

namespace {

std::atomic<double> cachedSampleRate{0.0};

using Service = AudioSessionService;

} // namespace

QVAudioSession* QVAudioSession::session() {
    static QVAudioSession* shared = []() -> QVAudioSession* {
        auto* created = new QVAudioSession();
        const OSStatus status = Service::initialize(&interruptionListener, created);
        if (status != noErr) {
            QVAudioSessionError::errorWithCode(status, "Initializing the audio session")->alert();
            delete created;
            return nullptr;
        }
        for (std::uint32_t property :
             {Service::kRouteChange, Service::kSampleRate, Service::kOutputVolume,
              Service::kOtherAudioPlaying, Service::kInputAvailable}) {
            Service::addPropertyListener(property, &propertyListener, created);
        }
        return created;
    }();
    return shared;
}

void QVAudioSession::startupAsCategory(std::uint32_t category, QVAudioSessionDelegate* delegate) {
    if (QVAudioSession* shared = session()) {
        shared->setCategory(category);
        shared->setDelegate(delegate);
        shared->setActive(true);
    }
}

double QVAudioSession::sampleRate() {
    const double cached = cachedSampleRate.load();
    if (cached != 0.0) {
        return cached;
    }
    QVAudioSession* shared = session();
    return shared != nullptr ? shared->currentSampleRate() : 0.0;
}

std::optional<std::vector<unsigned char>> QVAudioSession::dataForProperty(std::uint32_t property,
                                                                          QVErrorPtr* error) const {
    const auto fail = [&](OSStatus status, const std::string& action) {
        if (error != nullptr) {
            *error = QVAudioSessionError::errorWithCode(status, action);
        }
        return std::nullopt;
    };
    std::uint32_t size = 0;
    if (const OSStatus status = Service::getPropertySize(property, &size); status != noErr) {
        return fail(status, "Retrieving the size of a property");
    }
    std::vector<unsigned char> data(size, 0);
    if (size == 0) {
        return data;
    }
    if (const OSStatus status = Service::getProperty(property, &size, data.data());
        status != noErr) {
        const std::string name =
            QVAudioSessionError::propertyNameForCode(static_cast<std::int32_t>(property));
        return fail(status, "Retrieving " + name);
    }
    data.resize(size);
    return data;
}

template <class T>
T QVAudioSession::readValue(std::uint32_t property, T fallback) const {
    QVErrorPtr error;
    const std::optional<std::vector<unsigned char>> data = dataForProperty(property, &error);
    if (!data) {
        QVError::alert(error.get());
        return fallback;
    }
    T value{};
    std::memcpy(&value, data->data(), std::min(sizeof(T), data->size()));
    return value;
}

bool QVAudioSession::setValue(std::uint32_t property, const void* data, std::uint32_t size,
                              QVErrorPtr* error) {
    const OSStatus status = Service::setProperty(property, size, data);
    if (status != noErr && error != nullptr) {
        const std::string name =
            QVAudioSessionError::propertyNameForCode(static_cast<std::int32_t>(property));
        *error = QVAudioSessionError::errorWithCode(status, "Applying the " + name);
    }
    return status == noErr;
}

void QVAudioSession::setValueAlerting(std::uint32_t property, const void* data,
                                      std::uint32_t size) {
    QVErrorPtr error;
    if (!setValue(property, data, size, &error)) {
        QVError::alert(error.get());
    }
}

std::uint32_t QVAudioSession::category() const {
    return readValue<std::uint32_t>(Service::kCategory, 0x7FFFFFFF);
}

void QVAudioSession::setCategory(std::uint32_t category) {
    setValueAlerting(Service::kCategory, &category, sizeof(category));
}

std::string QVAudioSession::route() const {
    QVErrorPtr error;
    const std::optional<std::vector<unsigned char>> data = dataForProperty(Service::kRoute, &error);
    if (!data) {
        QVError::alert(error.get());
    }
    if (!data || data->empty()) {
        return "(none)";
    }
    return {data->begin(), data->end()};
}

bool QVAudioSession::isInputAvailable() const {
    return readValue<std::uint32_t>(Service::kInputAvailable, 0x7FFFFFFF) != 0;
}

bool QVAudioSession::isOtherAudioPlaying() const {
    return readValue<std::uint32_t>(Service::kOtherAudioPlaying, 0x7FFFFFFF) != 0;
}

double QVAudioSession::currentSampleRate() const {
    const double cached = cachedSampleRate.load();
    if (cached != 0.0) {
        return cached;
    }
    const double rate = readValue<double>(Service::kSampleRate, 0.0);
    cachedSampleRate.store(rate);
    return rate;
}

double QVAudioSession::preferredSampleRate() const {
    return readValue<double>(Service::kPreferredSampleRate, 0.0);
}

void QVAudioSession::setPreferredSampleRate(double rate) {
    setValueAlerting(Service::kPreferredSampleRate, &rate, sizeof(rate));
    cachedSampleRate.store(0.0); // the next read asks the hardware again
}

float QVAudioSession::IOBufferDuration() const {
    return readValue<float>(Service::kBufferDuration, 0.0f);
}

float QVAudioSession::preferredIOBufferDuration() const {
    return readValue<float>(Service::kPreferredBufferDuration, 0.0f);
}

void QVAudioSession::setPreferredIOBufferDuration(float seconds) {
    setValueAlerting(Service::kPreferredBufferDuration, &seconds, sizeof(seconds));
}

std::uint32_t QVAudioSession::inputChannelCount() const {
    return readValue<std::uint32_t>(Service::kInputChannels, 0x7FFFFFFF);
}

std::uint32_t QVAudioSession::outputChannelCount() const {
    return readValue<std::uint32_t>(Service::kOutputChannels, 0x7FFFFFFF);
}

float QVAudioSession::outputVolume() const {
    return readValue<float>(Service::kOutputVolume, 0.0f);
}

float QVAudioSession::inputLatency() const {
    return isInputAvailable() ? readValue<float>(Service::kInputLatency, 0.0f) : 0.0f;
}

float QVAudioSession::outputLatency() const {
    return readValue<float>(Service::kOutputLatency, 0.0f);
}

void QVAudioSession::forceOutputToSpeaker(bool force) {
    const std::uint32_t value = force ? fourCC("spkr") : 0;
    setValueAlerting(Service::kOverrideRoute, &value, sizeof(value));
}

bool QVAudioSession::speakerIsDefaultOutput() const {
    std::uint32_t value = 0;
    std::uint32_t size = sizeof(value);
    Service::getProperty(Service::kSpeakerIsDefault, &size, &value);
    return value != 0;
}

void QVAudioSession::setSpeakerIsDefaultOutput(bool speaker) {
    const std::uint32_t value = speaker ? 1 : 0;
    Service::setProperty(Service::kSpeakerIsDefault, sizeof(value), &value);
}

void QVAudioSession::setActive(bool active) {
    const OSStatus status = Service::setActive(active);
    // Deactivating a session that is not active is no failure.
    if (status == noErr || (!active && status == Service::kNotActive)) {
        return;
    }
    QVAudioSessionError::errorWithCode(
        status,
        fretkit::Bundle::main().localizedString("Changing the active state of the audio session"))
        ->alert();
}

void QVAudioSession::printStatusToLog() {
    QVAudioSession* s = session();
    if (s == nullptr) {
        return;
    }
    using fretkit::Log;
    Log::format("category = %d", static_cast<int>(s->category()));
    Log::format("route = %s", s->route().c_str());
    Log::format("isOtherAudioPlaying = %d", s->isOtherAudioPlaying() ? 1 : 0);
    Log::format("isInputAvailable = %d", s->isInputAvailable() ? 1 : 0);
    Log::format("sampleRate = %f", s->currentSampleRate());
    Log::format("preferredSampleRate = %f", s->preferredSampleRate());
    Log::format("inputChannelCount = %d", static_cast<int>(s->inputChannelCount()));
    Log::format("outputChannelCount = %d", static_cast<int>(s->outputChannelCount()));
    Log::format("outputVolume = %f", double{s->outputVolume()});
    Log::format("inputLatency = %f", double{s->inputLatency()});
    Log::format("outputLatency = %f", double{s->outputLatency()});
    Log::format("IOBufferDuration = %f", double{s->IOBufferDuration()});
    Log::format("preferredIOBufferDuration = %f", double{s->preferredIOBufferDuration()});
}

void QVAudioSession::interruptionListener(void* userData, std::uint32_t state) {
    auto* session = static_cast<QVAudioSession*>(userData);
    if (state == Service::kBeginInterruption) {
        if (auto* observer =
                dynamic_cast<QVAudioSessionInterruptionObserver*>(session->delegate_)) {
            observer->audioSessionWasInterrupted(*session);
        }
        NotificationCenter::defaultCenter().postNotification(kWasInterrupted);
    } else if (state == Service::kEndInterruption) {
        if (auto* observer = dynamic_cast<QVAudioSessionResumeObserver*>(session->delegate_)) {
            observer->audioSessionDidResume(*session);
        }
        NotificationCenter::defaultCenter().postNotification(kDidResume);
    }
}

// The notifications carry their value (a number, or the route change record) as user info.
void QVAudioSession::propertyListener(void* userData, std::uint32_t property, std::uint32_t size,
                                      const void* data) {
    auto* session = static_cast<QVAudioSession*>(userData);
    NotificationCenter& center = NotificationCenter::defaultCenter();
    const auto firstByte = [&] {
        return size > 0 && *static_cast<const unsigned char*>(data) != 0;
    };
    switch (property) {
    case Service::kInputAvailable:
        center.postNotification(kInputIsAvailable, nullptr, PlistValue(firstByte()));
        break;
    case Service::kOutputVolume: {
        float volume = 0.0f;
        std::memcpy(&volume, data, std::min<std::size_t>(size, sizeof(volume)));
        center.postNotification(kOutputVolumeDidChange, nullptr, PlistValue(double{volume}));
        break;
    }
    case Service::kSampleRate: {
        double rate = 0.0;
        std::memcpy(&rate, data, std::min<std::size_t>(size, sizeof(rate)));
        center.postNotification(kSampleRateDidChange, nullptr, PlistValue(rate));
        break;
    }
    case Service::kOtherAudioPlaying:
        center.postNotification(kOtherAudioIsPlaying, nullptr, PlistValue(firstByte()));
        break;
    case Service::kRouteChange: {
        const auto* record = static_cast<const PlistValue*>(data);
        const PlistValue change = record != nullptr ? *record : PlistValue::dictionary();
        if (auto* observer = dynamic_cast<QVAudioSessionRouteObserver*>(session->delegate_)) {
            const PlistValue* old = change.find("OutputDeviceDidChange_OldRoute");
            const PlistValue* reason = change.find("OutputDeviceDidChange_Reason");
            observer->audioSessionRouteDidChangeTo(session->route(), old ? *old : PlistValue(),
                                                   reason ? reason->integerValue() : 0);
        }
        center.postNotification(kRouteDidChange, nullptr, change);
        break;
    }
    default:
        break;
    }
}
