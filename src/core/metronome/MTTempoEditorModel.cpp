#include "MTTempoEditorModel.h"

#include <algorithm>

std::uint32_t MTTempoEditorModel::clamp(std::uint32_t tempo) {
    return std::clamp(tempo, kMinimumTempo, kMaximumTempo);
}

const std::vector<MTTempoName>& MTTempoEditorModel::names() {
    static const std::vector<MTTempoName> table = {
        {"largo", 40, 60},    {"larghetto", 60, 66},     {"adagio", 66, 76},
        {"andante", 76, 108}, {"moderato", 108, 120},    {"allegro", 120, 168},
        {"presto", 168, 200}, {"prestissimo", 200, 280},
    };
    return table;
}

std::optional<std::size_t> MTTempoEditorModel::nameIndexForTempo(std::uint32_t tempo) {
    const auto& table = names();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].minimumValue <= tempo && tempo < table[i].maximumValue) {
            return i;
        }
    }
    return std::nullopt;
}

bool MTTempoEditorModel::setTempo(std::uint32_t tempo) {
    const std::uint32_t clamped = clamp(tempo);
    if (clamped == tempo_) {
        return false;
    }
    tempo_ = clamped;
    return true;
}
