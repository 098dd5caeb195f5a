#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The tempo wheel without its view: a drag of 16 points is one tempo step (right raises it),
// the notches' drawing phase follows the finger, and a flick keeps the wheel turning with a
// speed that falls by a factor of 1.1 each 1/30 s tick until it is below one point per tick.
// Each operation answers the tempo steps it takes, for the editor to add to its tempo.
class MTTempoDialModel {
public:
    static constexpr float kStepLength = 16.0f;       // points per tempo step
    static constexpr std::int32_t kOffsetPeriod = 40; // offset units between two notches
    static constexpr double kMaximumSpeed = 30.0;     // points per tick
    static constexpr double kCoastSpeed = 8.0;        // slower releases do not coast
    static constexpr double kDecay = 1.1;
    static constexpr std::size_t kTouchSamples = 10;

    // The notches' drawing phase, in (-40, 40).
    std::int32_t offset() const { return offset_; }
    // Answers whether the offset changed (and the wheel is to be redrawn).
    bool setOffset(std::int32_t offset);

    // Touches, x in the view and the time in seconds. A touch stops any coasting.
    void beginTouch(float x, double time);
    std::int32_t moveTouch(float x, double time);
    // Answers whether the wheel coasts on (a step() every tick until it answers done).
    bool endTouch(float x, double time);

    // One coasting tick.
    std::int32_t step(bool& done);
    bool isCoasting() const { return coasting_; }
    double speed() const { return speed_; }

private:
    void pushTouch(float x, double time);
    std::int32_t stepsTowards(float position);

    std::int32_t offset_ = 0;
    float lastNotch_ = 0.0f;
    std::array<float, kTouchSamples> touchX_{};
    std::array<double, kTouchSamples> touchTime_{};
    std::size_t touchCount_ = 0;
    float travel_ = 0.0f; // coasting distance since the release
    double speed_ = 0.0;
    bool coasting_ = false;
};
