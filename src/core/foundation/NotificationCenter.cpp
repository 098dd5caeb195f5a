#include "NotificationCenter.h"

#include <algorithm>
#include <atomic>

namespace fretkit {

struct NotificationCenter::Registration {
    Registration(Token t, std::string n, const void* o, Observer f)
        : token(t), name(std::move(n)), object(o), observer(std::move(f)) {}

    Token token;
    std::string name;
    const void* object;
    Observer observer;
    std::atomic<bool> active{true};

    bool matches(const Notification& notification) const {
        return (name.empty() || name == notification.name) &&
               (!object || object == notification.object);
    }
};

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::addObserver(std::string name, const void* object,
                                                          Observer observer) {
    std::lock_guard lock(mutex_);
    const Token token = nextToken_++;
    registrations_.push_back(
        std::make_shared<Registration>(token, std::move(name), object, std::move(observer)));
    return token;
}

void NotificationCenter::removeObserver(Token token) {
    std::lock_guard lock(mutex_);
    const auto it = std::find_if(registrations_.begin(), registrations_.end(),
                                 [token](const auto& r) { return r->token == token; });
    if (it != registrations_.end()) {
        (*it)->active = false;
        registrations_.erase(it);
    }
}

void NotificationCenter::postNotification(const Notification& notification) const {
    std::vector<std::shared_ptr<Registration>> receivers;
    {
        std::lock_guard lock(mutex_);
        for (const auto& registration : registrations_) {
            if (registration->matches(notification)) {
                receivers.push_back(registration);
            }
        }
    }
    // Delivered without the lock, so observers may post, add or remove in turn.
    for (const auto& registration : receivers) {
        if (registration->active && registration->observer) {
            registration->observer(notification);
        }
    }
}

void NotificationCenter::postNotification(std::string name, const void* object,
                                          PlistValue userInfo) const {
    postNotification(Notification{std::move(name), object, std::move(userInfo)});
}

} // namespace fretkit
