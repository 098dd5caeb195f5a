#include "UserDefaults.h"

#include "FileIO.h"
#include "Log.h"
#include "PlistFile.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

namespace fretkit {
namespace {

std::string asideName(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &parts);
    std::string candidate = path + ".corrupt-" + stamp;
    std::error_code ec;
    for (int n = 2; fs::exists(candidate, ec); ++n) {
        candidate = path + ".corrupt-" + stamp + "-" + std::to_string(n);
    }
    return candidate;
}

} // namespace

UserDefaults::UserDefaults(std::string path)
    : path_(std::move(path)), registered_(PlistValue::dictionary()),
      stored_(PlistValue::dictionary()) {
    if (readFile(stored_) == FileState::Unreadable) {
        persistent_ = false;
    }
}

UserDefaults& UserDefaults::standard() {
    static UserDefaults defaults(defaultPath());
    return defaults;
}

std::string UserDefaults::defaultPath() {
    if (const char* configured = std::getenv(kEnvironmentVariable); configured && *configured) {
        return configured;
    }
    fs::path base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = fs::path(home) / ".config";
    } else {
        base = fs::temp_directory_path();
    }
    return (base / "fretkit" / "defaults.plist").string();
}

UserDefaults::FileState UserDefaults::readFile(PlistValue& contents) const {
    contents = PlistValue::dictionary();
    std::error_code ec;
    if (!fs::exists(path_, ec)) {
        return FileState::Missing;
    }
    std::string error;
    const std::optional<std::string> bytes = FileIO::readAll(path_, &error);
    if (!bytes) {
        Log::format("Cannot read the settings (%s); changes will not be saved", error.c_str());
        return FileState::Unreadable;
    }
    std::optional<PlistValue> parsed = PlistFile::parse(*bytes, &error);
    if (parsed && parsed->isDictionary()) {
        contents = std::move(*parsed);
        return FileState::Loaded;
    }
    if (parsed) {
        error = "its top level is not a dictionary";
    }
    const std::string aside = asideName(path_);
    if (std::rename(path_.c_str(), aside.c_str()) != 0) {
        Log::format("The settings file %s is damaged (%s) and cannot be moved aside; changes "
                    "will not be saved",
                    path_.c_str(), error.c_str());
        return FileState::Unreadable;
    }
    Log::format("The settings file %s is damaged (%s); moved it to %s and using the defaults",
                path_.c_str(), error.c_str(), aside.c_str());
    return FileState::MovedAside;
}

void UserDefaults::registerDefaults(const PlistValue& defaults) {
    std::lock_guard lock(mutex_);
    for (const auto& [key, value] : defaults.dictionaryEntries()) {
        registered_.set(key, value);
    }
}

PlistValue UserDefaults::objectForKey(std::string_view key) const {
    std::lock_guard lock(mutex_);
    if (const PlistValue* value = stored_.find(key)) {
        return *value;
    }
    return registered_[key];
}

std::int64_t UserDefaults::integerForKey(std::string_view key) const {
    return objectForKey(key).integerValue();
}

bool UserDefaults::boolForKey(std::string_view key) const {
    return objectForKey(key).boolValue();
}

double UserDefaults::doubleForKey(std::string_view key) const {
    return objectForKey(key).doubleValue();
}

float UserDefaults::floatForKey(std::string_view key) const {
    return objectForKey(key).floatValue();
}

std::string UserDefaults::stringForKey(std::string_view key) const {
    return objectForKey(key).stringValue();
}

void UserDefaults::setObject(const PlistValue& value, std::string_view key) {
    std::lock_guard lock(mutex_);
    const PlistValue* current = stored_.find(key);
    if (value.isNull() ? current == nullptr : (current && *current == value)) {
        return;
    }
    if (value.isNull()) {
        stored_.remove(key);
    } else {
        stored_.set(key, value);
    }
    pending_.emplace(key);
    std::string error;
    if (persistent_ && !writeLocked(&error)) {
        Log::format("Cannot save the settings: %s", error.c_str());
    }
}

bool UserDefaults::synchronize(std::string* error) {
    std::lock_guard lock(mutex_);
    if (!persistent_) {
        if (error) {
            *error = "the settings file " + path_ + " could not be read, so it is not overwritten";
        }
        return false;
    }
    return writeLocked(error);
}

bool UserDefaults::isPersistent() const {
    std::lock_guard lock(mutex_);
    return persistent_;
}

bool UserDefaults::writeLocked(std::string* error) {
    if (pending_.empty()) {
        return true;
    }
    PlistValue merged;
    if (readFile(merged) == FileState::Unreadable) {
        persistent_ = false;
        if (error) {
            *error = "the settings file " + path_ + " could not be read, so it is not overwritten";
        }
        return false;
    }
    for (const std::string& key : pending_) {
        if (const PlistValue* value = stored_.find(key)) {
            merged.set(key, *value);
        } else {
            merged.remove(key);
        }
    }
    if (!PlistFile::write(merged, path_, PlistFile::Format::Xml, error)) {
        return false;
    }
    stored_ = std::move(merged);
    pending_.clear();
    return true;
}

} // namespace fretkit
