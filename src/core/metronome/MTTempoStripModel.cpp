#include "MTTempoStripModel.h"

#include "MTTempoEditorModel.h"

#include <algorithm>
#include <cmath>

MTTempoStripModel::MTTempoStripModel(std::vector<float> widths) {
    strip_.setWraps(false);
    setWidths(std::move(widths));
}

void MTTempoStripModel::setWidths(std::vector<float> widths) {
    strip_.setWidths(std::move(widths));
}

MTTempoStripModel::Move MTTempoStripModel::setScroll(std::int32_t scroll, bool click) {
    Move move;
    move.click = strip_.setScroll(scroll) && click;
    if (!moving_ && fromTouch_) {
        const std::int32_t index = strip_.selectedIndex();
        const auto& names = MTTempoEditorModel::names();
        if (index != fretkit::ScrollStrip::kNotFound &&
            static_cast<std::size_t>(index) < names.size()) {
            move.tempo = names[static_cast<std::size_t>(index)].midValue();
        }
    }
    return move;
}

void MTTempoStripModel::startGlide(const fretkit::ScrollStrip::Glide& glide) {
    glide_ = glide;
    gliding_ = true;
}

void MTTempoStripModel::beginTouch(float x, double now) {
    gliding_ = false;
    moving_ = true;
    strip_.beginTouch(x, now);
}

MTTempoStripModel::Move MTTempoStripModel::moveTouch(float x, double now) {
    const auto d = static_cast<std::int32_t>(x - strip_.lastTouchX());
    strip_.pushTouch(x, now);
    return setScroll(strip_.scroll() - d, true);
}

void MTTempoStripModel::endTouch(float x, double now) {
    strip_.pushTouch(x, now);
    fromTouch_ = true;
    startGlide(strip_.releaseGlide(now));
}

MTTempoStripModel::Move MTTempoStripModel::showTempo(std::uint32_t tempo, double now) {
    const std::optional<std::size_t> index = MTTempoEditorModel::nameIndexForTempo(tempo);
    if (!index || *index >= strip_.notches().size()) {
        return {};
    }
    const float notch = strip_.notches()[*index];
    const bool first = !placed_;
    placed_ = true;
    if (strip_.scroll() == static_cast<std::int32_t>(notch)) {
        return {};
    }
    if (first) {
        return setScroll(static_cast<std::int32_t>(notch), false);
    }
    fromTouch_ = false;
    fretkit::ScrollStrip::Glide glide;
    glide.start = static_cast<float>(strip_.scroll());
    glide.end = notch;
    glide.startTime = now;
    glide.duration = kOutsideGlide;
    startGlide(glide);
    return {};
}

void MTTempoStripModel::stepNames(int names, double now) {
    const std::vector<float>& notches = strip_.notches();
    if ((moving_ && !gliding_) || notches.empty()) {
        return;
    }
    const float from = gliding_ ? glide_.end : static_cast<float>(strip_.scroll());
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < notches.size(); ++i) {
        if (std::fabs(notches[i] - from) < std::fabs(notches[nearest] - from)) {
            nearest = i;
        }
    }
    const auto last = static_cast<std::int64_t>(notches.size()) - 1;
    const auto target = static_cast<std::size_t>(
        std::clamp<std::int64_t>(static_cast<std::int64_t>(nearest) + names, 0, last));
    fretkit::ScrollStrip::Glide glide;
    glide.start = static_cast<float>(strip_.scroll());
    glide.end = std::floor(notches[target]);
    glide.startTime = now;
    glide.duration = kSnapGlide;
    moving_ = true; // as after a release: the tempo is set when the glide lands
    fromTouch_ = true;
    startGlide(glide);
}

MTTempoStripModel::Move MTTempoStripModel::glide(double now) {
    if (!gliding_) {
        return {};
    }
    bool done = false;
    const std::int32_t value = fretkit::ScrollStrip::glideValue(glide_, now, done);
    if (done) {
        gliding_ = false;
        moving_ = false;
    }
    return setScroll(value, true);
}
