#include "FretDiagram.h"

#include <algorithm>

namespace {

constexpr std::size_t kColumn = 4;

// A cell of the grid: the label centred in the string's column, or the bare string.
std::string cell(const std::string& label, bool last) {
    const std::string text = label.empty() ? "|" : label.substr(0, kColumn - 1);
    return last ? text : text + std::string(kColumn - text.size(), '-');
}

std::string headerCell(const std::string& label) {
    const std::string text = label.substr(0, kColumn - 1);
    return text + std::string(kColumn - text.size(), ' ');
}

} // namespace

void FretDiagram::setOpen(unsigned string, const std::string& label) {
    open_.at(string) = label;
}

void FretDiagram::setMuted(unsigned string) {
    open_.at(string).assign(1, 'x');
}

void FretDiagram::mark(unsigned string, unsigned fret, const std::string& label) {
    marks_[{fret, string}] = label;
}

void FretDiagram::setFrets(unsigned firstFret, unsigned lastFret) {
    firstFret_ = firstFret;
    lastFret_ = std::max(firstFret, lastFret);
}

std::string FretDiagram::render() const {
    unsigned first = firstFret_;
    unsigned last = lastFret_;
    for (const auto& [position, label] : marks_) {
        first = std::min(first, position.first);
        last = std::max(last, position.first);
    }
    const std::string margin(6, ' ');
    std::string text;
    const auto line = [&](const std::array<std::string, kStrings>& labels) {
        if (std::all_of(labels.begin(), labels.end(),
                        [](const std::string& l) { return l.empty(); })) {
            return;
        }
        std::string row = margin;
        for (const std::string& label : labels) {
            row += headerCell(label);
        }
        row.erase(row.find_last_not_of(' ') + 1);
        text += row + '\n';
    };
    line(header_);
    line(open_);
    for (unsigned fret = std::max(first, 1u); fret <= last; ++fret) {
        std::string number = std::to_string(fret);
        std::string row =
            std::string(4 - std::min<std::size_t>(4, number.size()), ' ') + number + "  ";
        for (unsigned s = 0; s < kStrings; ++s) {
            const auto found = marks_.find({fret, s});
            row += cell(found == marks_.end() ? std::string() : found->second, s + 1 == kStrings);
        }
        text += row + '\n';
    }
    return text;
}
