#include "BZToolDefaults.h"

#include "chordfinder/CFSettings.h"
#include "chords/CHSettings.h"
#include "foundation/UserDefaults.h"
#include "metronome/MTSettings.h"
#include "scales/SCSettings.h"
#include "tuner/TNTunerEngine.h"

#include <QSet>
#include <map>

namespace {

using Registration = void (*)(fretkit::UserDefaults&);

const std::map<QString, Registration>& registrations() {
    static const std::map<QString, Registration> byPrefix = {
        {QStringLiteral("TN"), &TNTunerEngine::registerDefaults},
        {QStringLiteral("MT"), &MTSettings::registerDefaults},
        {QStringLiteral("CH"), &CHSettings::registerDefaults},
        {QStringLiteral("SC"), &SCSettings::registerDefaults},
        {QStringLiteral("CF"), &CFSettings::registerDefaults},
    };
    return byPrefix;
}

} // namespace

void BZToolDefaults::registerForClass(const QString& className) {
    static QSet<QString> registered;
    if (registered.contains(className)) {
        return;
    }
    registered.insert(className);
    const auto it = registrations().find(className.left(2));
    if (it != registrations().end()) {
        it->second(fretkit::UserDefaults::standard());
    }
}

void BZToolDefaults::registerAll(fretkit::UserDefaults& defaults) {
    for (const auto& [prefix, registration] : registrations()) {
        registration(defaults);
    }
}
