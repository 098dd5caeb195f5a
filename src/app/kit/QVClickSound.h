#pragma once

#include <cstdint>
#include <string>

// A short bundle sound played at each click of a picker, through the system sound service. The
// service mixes sounds into the output of the app's running audio stream, so a click is heard
// only while that stream runs; without it play() does nothing (and loads nothing). The file is
// decoded once, on the first play; a missing or unreadable file leaves the clicks silent, with
// one log line.
class QVClickSound {
public:
    QVClickSound(std::string name, std::string type);
    ~QVClickSound();
    QVClickSound(const QVClickSound&) = delete;
    QVClickSound& operator=(const QVClickSound&) = delete;

    // Main thread. True when the click was handed to a running output.
    bool play();

private:
    bool load();

    std::string name_;
    std::string type_;
    bool tried_ = false;
    bool loaded_ = false;
    std::uint32_t id_ = 0;
};
