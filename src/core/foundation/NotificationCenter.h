#pragma once

#include "PlistValue.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace fretkit {

struct Notification {
    std::string name;
    const void* object = nullptr; // the sender, compared by identity only
    PlistValue userInfo;
};

// Named notifications delivered synchronously, on the posting thread, to every observer whose
// name and sender filter match. Observers may be added and removed from any thread, also from
// inside a delivery; a removed observer is not called again once removeObserver returns on the
// thread that posts.
class NotificationCenter {
public:
    using Observer = std::function<void(const Notification&)>;
    using Token = std::uint64_t;

    static NotificationCenter& defaultCenter();

    // An empty name matches every notification; a null object matches every sender.
    Token addObserver(std::string name, const void* object, Observer observer);
    void removeObserver(Token token);

    void postNotification(const Notification& notification) const;
    void postNotification(std::string name, const void* object = nullptr,
                          PlistValue userInfo = {}) const;

private:
    struct Registration;

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<Registration>> registrations_;
    Token nextToken_ = 1;
};

} // namespace fretkit
