#include "ChordFormula.h"

#include "chords/CHNoteTables.h"

#include <array>
#include <sstream>

namespace fretkit {
namespace {

constexpr std::array<unsigned, 7> kMajorScale = {0, 2, 4, 5, 7, 9, 11};
constexpr unsigned kLetters = 7;

// The spelled-note index of `pitchClass` on `letter` (A = 0), or the closest single-accidental
// spelling of that pitch class when the letter would need a double accidental.
unsigned spelledNote(unsigned letter, unsigned pitchClass) {
    const unsigned natural = CHNoteTables::chromatic(3 * letter + 1);
    const int offset =
        ((static_cast<int>(pitchClass) - static_cast<int>(natural)) % 12 + 18) % 12 - 6;
    if (offset >= -1 && offset <= 1) {
        return 3 * letter + static_cast<unsigned>(offset + 1);
    }
    // Prefer the natural note, then the accidental pointing the same way as the double one.
    const unsigned wanted = offset < 0 ? 0 : 2;
    unsigned best = CHNoteTables::kNoteCount;
    for (unsigned note = 0; note < CHNoteTables::kNoteCount; ++note) {
        if (CHNoteTables::chromatic(note) != pitchClass) {
            continue;
        }
        if (note % 3 == 1) {
            return note;
        }
        if (best == CHNoteTables::kNoteCount || note % 3 == wanted) {
            best = note;
        }
    }
    return best;
}

bool parseDegree(std::string word, ChordFormula::Degree& degree) {
    degree = {};
    if (word.size() > 2 && word.front() == '(' && word.back() == ')') {
        degree.optional = true;
        word = word.substr(1, word.size() - 2);
    }
    std::size_t at = 0;
    while (at < word.size() && (word[at] == 'b' || word[at] == '#')) {
        degree.accidental += word[at] == 'b' ? -1 : 1;
        ++at;
    }
    if (at == word.size() || word.size() - at > 2 || degree.accidental < -2 ||
        degree.accidental > 1) {
        return false;
    }
    unsigned number = 0;
    for (; at < word.size(); ++at) {
        if (word[at] < '0' || word[at] > '9') {
            return false;
        }
        number = number * 10 + static_cast<unsigned>(word[at] - '0');
    }
    degree.number = number;
    return number >= 1 && number <= 13;
}

} // namespace

unsigned ChordFormula::Degree::semitones() const {
    return static_cast<unsigned>(static_cast<int>(kMajorScale[letterOffset()]) + accidental + 12) %
           12;
}

std::vector<ChordFormula::Tone> ChordFormula::spell(unsigned root) const {
    const unsigned rootLetter = root / 3;
    const unsigned rootPitch = CHNoteTables::chromatic(root);
    std::vector<Tone> tones;
    for (const Degree& degree : degrees_) {
        const unsigned pitchClass = (rootPitch + degree.semitones()) % 12;
        const unsigned letter = (rootLetter + degree.letterOffset()) % kLetters;
        tones.push_back(
            {pitchClass, spelledNote(letter, pitchClass), degree.optional, degree.number});
    }
    return tones;
}

std::string ChordFormula::withoutComment(const std::string& line) {
    for (std::size_t at = line.find('#'); at != std::string::npos; at = line.find('#', at + 1)) {
        const bool startsWord = at == 0 || line[at - 1] == ' ' || line[at - 1] == '\t';
        if (startsWord && (at + 1 == line.size() || line[at + 1] == ' ')) {
            return line.substr(0, at);
        }
    }
    return line;
}

std::map<unsigned, ChordFormula> ChordFormula::parse(const std::string& text, std::string& error) {
    std::map<unsigned, ChordFormula> formulas;
    std::istringstream lines(text);
    std::string line;
    for (unsigned number = 1; std::getline(lines, line); ++number) {
        const auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(number) + ": " + why;
            return std::map<unsigned, ChordFormula>{};
        };
        std::istringstream words(ChordFormula::withoutComment(line));
        std::string word;
        if (!(words >> word)) {
            continue;
        }
        const std::string index = word;
        unsigned variant = 0;
        try {
            std::size_t used = 0;
            variant = static_cast<unsigned>(std::stoul(word, &used));
            if (used != word.size()) {
                return fail("'" + word + "' is not a variant index");
            }
        } catch (const std::exception&) {
            return fail("'" + word + "' is not a variant index");
        }
        const auto& names = CHNoteTables::variantNames();
        if (variant >= names.size() || !names[variant]) {
            return fail("variant " + index + " has no name");
        }
        ChordFormula formula;
        unsigned usedPitches = 0;
        while (words >> word) {
            Degree degree;
            if (!parseDegree(word, degree)) {
                return fail("'" + word + "' is not a degree");
            }
            const unsigned bit = 1u << degree.semitones();
            if (usedPitches & bit) {
                return fail("'" + word + "' repeats a pitch of the chord");
            }
            usedPitches |= bit;
            formula.degrees_.push_back(degree);
        }
        if (formula.degrees_.empty() || formula.degrees_.front().number != 1 ||
            formula.degrees_.front().accidental != 0 || formula.degrees_.front().optional) {
            return fail("a formula starts with the root, 1");
        }
        if (!formulas.emplace(variant, formula).second) {
            return fail("variant " + index + " is given twice");
        }
    }
    return formulas;
}

} // namespace fretkit
