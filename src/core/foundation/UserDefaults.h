#pragma once

#include "PlistValue.h"

#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace fretkit {

// The settings store. Values the user set live in one property-list file; each tool registers
// its defaults, which answer for keys the user never set. Every change is written through at
// once, merged over what the file holds by then, so that other processes' changes to other keys
// are kept. A file that cannot be parsed is moved aside (with a log line) rather than
// overwritten; a file that cannot be read at all is left alone and changes stay in memory.
class UserDefaults {
public:
    static constexpr const char* kEnvironmentVariable = "FRETKIT_DEFAULTS";

    explicit UserDefaults(std::string path);
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    // The process's store, at defaultPath().
    static UserDefaults& standard();
    // FRETKIT_DEFAULTS when set, else "fretkit/defaults.plist" under $XDG_CONFIG_HOME, or under
    // ~/.config when that is not set.
    static std::string defaultPath();

    const std::string& path() const { return path_; }

    // Adds these key/value pairs to the registered defaults (a dictionary; others are ignored).
    void registerDefaults(const PlistValue& defaults);

    // The user's value for the key, else the registered default, else null.
    PlistValue objectForKey(std::string_view key) const;
    std::int64_t integerForKey(std::string_view key) const;
    bool boolForKey(std::string_view key) const;
    double doubleForKey(std::string_view key) const;
    float floatForKey(std::string_view key) const;
    std::string stringForKey(std::string_view key) const;

    // Setting null removes the user's value, so the registered default answers again.
    void setObject(const PlistValue& value, std::string_view key);
    void setInteger(std::int64_t value, std::string_view key) {
        setObject(PlistValue(static_cast<long long>(value)), key);
    }
    void setBool(bool value, std::string_view key) { setObject(PlistValue(value), key); }
    void setDouble(double value, std::string_view key) { setObject(PlistValue(value), key); }
    void setString(std::string_view value, std::string_view key) {
        setObject(PlistValue(value), key);
    }
    void removeObjectForKey(std::string_view key) { setObject(PlistValue(), key); }

    // Writes pending changes now; false (with the reason) when they could not be written. They
    // stay pending and are tried again with the next change.
    bool synchronize(std::string* error = nullptr);

    // False once the file was found unreadable: changes are then kept in memory only.
    bool isPersistent() const;

private:
    enum class FileState { Loaded, Missing, MovedAside, Unreadable };

    FileState readFile(PlistValue& contents) const;
    bool writeLocked(std::string* error);

    std::string path_;
    mutable std::mutex mutex_;
    PlistValue registered_;
    PlistValue stored_;
    std::set<std::string, std::less<>> pending_;
    bool persistent_ = true;
};

} // namespace fretkit
