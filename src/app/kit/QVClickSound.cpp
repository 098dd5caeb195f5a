#include "QVClickSound.h"

#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "host/SystemSounds.h"

using namespace fretkit::host;

QVClickSound::QVClickSound(std::string name, std::string type)
    : name_(std::move(name)), type_(std::move(type)) {}

QVClickSound::~QVClickSound() {
    if (loaded_) {
        SystemSounds::dispose(id_);
    }
}

bool QVClickSound::load() {
    tried_ = true;
    const std::optional<std::string> path = fretkit::Bundle::main().pathForResource(name_, type_);
    if (!path) {
        fretkit::Log::format("QVClickSound -- no sound %s.%s: clicks stay silent", name_.c_str(),
                             type_.c_str());
        return false;
    }
    SystemSoundID id = 0;
    if (const OSStatus status = SystemSounds::createSystemSoundID(*path, &id); status != noErr) {
        fretkit::Log::format("QVClickSound -- cannot read %s (%d): clicks stay silent",
                             path->c_str(), static_cast<int>(status));
        return false;
    }
    id_ = id;
    loaded_ = true;
    return true;
}

bool QVClickSound::play() {
    if (!SystemSounds::isOutputRunning()) {
        return false;
    }
    if (!tried_) {
        load();
    }
    if (!loaded_) {
        return false;
    }
    SystemSounds::play(id_);
    return true;
}
