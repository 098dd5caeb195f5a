#include "CFChordSymbols.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <numeric>
#include <string_view>

namespace fretkit {
namespace {

constexpr std::string_view kSharpSign = "\u266F";
constexpr std::string_view kFlatSign = "\u266D";
constexpr std::string_view kTriangle = "\u0394";

// Lower case for ASCII letters; other bytes (parts of UTF-8 signs) stay as they are.
char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

bool startsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The chord's symbol after the root in a description name: "%0maj7" -> "maj7", and in a name
// that carries its own bass, "%86 / %0" -> "6"; nullopt for names that start otherwise.
std::optional<std::string> suffixOfName(const std::string& name) {
    if (name.size() < 2 || name[0] != '%') {
        return std::nullopt;
    }
    const std::size_t slash = name.find(" /");
    return name.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
}

// Capital M alone means major (CM7); in Maj or Min it is just a capital.
std::string majorMarksSpelledOut(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? lowered(text[i + 1]) : 0;
        out += text[i] == 'M' && next != 'a' && next != 'i' ? std::string("maj")
                                                            : std::string(1, text[i]);
    }
    return out;
}

// The words and signs of other spellings in the chord finder's own.
std::string wordsAndSignsSpelledOut(std::string s) {
    replaceAll(s, "minor", "m");
    replaceAll(s, "major", "maj");
    replaceAll(s, "min", "m");
    replaceAll(s, "mi", "m");
    replaceAll(s, "dom", "");
    replaceAll(s, "augmented", "aug");
    replaceAll(s, "diminished", "dim");
    if (startsWith(s, "-")) {
        s.replace(0, 1, "m");
    }
    if (startsWith(s, "+")) {
        s.replace(0, 1, "aug");
    }
    if (startsWith(s, "o")) {
        s.replace(0, 1, "dim");
    }
    if (!s.empty() && s.back() == '+') {
        s.pop_back();
        s += "#5";
    }
    replaceAll(s, "+", "#");
    replaceAll(s, "-", "b");
    if (s != "aug" && startsWith(s, "aug")) {
        s.erase(0, 3); // aug7 is 7#5
        s += "#5";
    } else if (s != "aug") {
        replaceAll(s, "aug", "#5");
    }
    return s;
}

// The signs some players write: sharp and flat signs, the triangle (alone a major seventh, CΔ;
// before a number "maj", CΔ9), ø for half-diminished and ° for diminished.
std::string signsSpelledOut(std::string s) {
    replaceAll(s, kSharpSign, "#");
    replaceAll(s, kFlatSign, "b");
    for (std::size_t at = s.find(kTriangle); at != std::string::npos; at = s.find(kTriangle)) {
        const std::size_t after = at + kTriangle.size();
        const bool number = after < s.size() && std::isdigit(static_cast<unsigned char>(s[after]));
        s.replace(at, kTriangle.size(), number ? "maj" : "maj7");
    }
    replaceAll(s, "\u00F87", "m7b5"); // ø7
    replaceAll(s, "\u00F8", "m7b5");  // ø
    replaceAll(s, "\u00B0", "dim");   // °
    return s;
}

// Short forms in full: ma7 is maj7, maj alone the major triad, sus alone sus4, 69 and 6add9 are
// 6/9 (written without its slash, as every slash goes: m/maj7 is m(maj7)).
std::string shortFormsSpelledOut(std::string s) {
    for (std::size_t at = s.find("ma"); at != std::string::npos; at = s.find("ma", at + 3)) {
        if (at + 2 >= s.size() || s[at + 2] != 'j') {
            s.insert(s.begin() + static_cast<std::ptrdiff_t>(at + 2), 'j');
        }
    }
    if (s == "maj") {
        s.clear();
    }
    for (std::size_t at = s.find("sus"); at != std::string::npos; at = s.find("sus", at + 3)) {
        if (at + 3 >= s.size() || (s[at + 3] != '2' && s[at + 3] != '4')) {
            s.insert(s.begin() + static_cast<std::ptrdiff_t>(at + 3), '4');
        }
    }
    if (s == "alt" || s == "7alt") {
        s = "7#5#9"; // the altered dominant as guitarists voice it most
    }
    replaceAll(s, "add2", "add9");
    replaceAll(s, "6add9", "69");
    std::erase(s, '/');
    return s;
}

// The alterations (b5, #9, b13 ...) moved behind the rest in one order: "7#9b5" and "7b5#9" are
// the same chord.
std::string alterationsInOrder(const std::string& s) {
    static constexpr std::array<std::string_view, 5> kDegrees = {"13", "11", "5", "6", "9"};
    std::vector<std::string> alterations;
    std::string head;
    for (std::size_t i = 0; i < s.size();) {
        const auto degree = std::find_if(kDegrees.begin(), kDegrees.end(), [&](auto d) {
            return (s[i] == 'b' || s[i] == '#') && s.compare(i + 1, d.size(), d) == 0;
        });
        if (degree == kDegrees.end()) {
            head += s[i++];
            continue;
        }
        alterations.push_back(s.substr(i, degree->size() + 1));
        i += degree->size() + 1;
    }
    std::sort(alterations.begin(), alterations.end());
    return std::accumulate(alterations.begin(), alterations.end(), head);
}

// One spelling for the many ways a symbol is written, so that "M7", "maj7" and "Δ7" compare
// equal: signs and words become the chord finder's own, brackets and spaces go, and the
// alterations are put in one order.
std::string canonicalKey(std::string s) {
    s = signsSpelledOut(s);
    std::erase_if(s, [](char c) { return c == ' ' || c == '(' || c == ')' || c == ','; });
    s = majorMarksSpelledOut(s);
    std::transform(s.begin(), s.end(), s.begin(), lowered);
    return alterationsInOrder(shortFormsSpelledOut(wordsAndSignsSpelledOut(s)));
}

std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The length of the note name at the start of `text` (letter and accidental), 0 for none.
std::size_t noteLength(const std::string& text) {
    if (text.empty() || std::string_view("ABCDEFGabcdefg").find(text[0]) == std::string::npos) {
        return 0;
    }
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        return 2;
    }
    for (std::string_view sign : {kSharpSign, kFlatSign}) {
        if (text.compare(1, sign.size(), sign) == 0) {
            return 1 + sign.size();
        }
    }
    return 1;
}

} // namespace

CFChordSymbols::CFChordSymbols(const PlistValue& descriptions) {
    for (const PlistValue& description : descriptions.arrayItems()) {
        if (const auto suffix = suffixOfName(description["name"].stringValue())) {
            suffixes_.insert(*suffix);
            byKey_.emplace(canonicalKey(*suffix), *suffix);
        }
    }
}

std::optional<unsigned> CFChordSymbols::noteIndex(const std::string& name) {
    const std::size_t length = noteLength(name);
    if (length == 0 || length != name.size()) {
        return std::nullopt;
    }
    const auto letter =
        static_cast<unsigned>(std::toupper(static_cast<unsigned char>(name[0])) - 'A');
    const std::string accidental = name.substr(1);
    const unsigned shift = accidental.empty()                              ? 1
                           : accidental == "#" || accidental == kSharpSign ? 2
                                                                           : 0;
    return 3 * letter + shift;
}

std::optional<CFChordSymbol> CFChordSymbols::parse(const std::string& text,
                                                   std::string& error) const {
    std::string rest = trimmed(text);
    const std::size_t rootLength = noteLength(rest);
    if (rootLength == 0) {
        error = rest.empty() ? "give a chord symbol, e.g. Cmaj7"
                             : "'" + rest + "' does not start with a note (A to G, then # or b)";
        return std::nullopt;
    }
    CFChordSymbol symbol;
    const std::string rootText = rest.substr(0, rootLength);
    symbol.root = *noteIndex(rootText);
    rest = rest.substr(rootLength);
    // A bass is a note after the last slash: "6/9" keeps its slash, "C6/9 / E" has a bass.
    if (const std::size_t slash = rest.rfind('/'); slash != std::string::npos) {
        if (const auto bass = noteIndex(trimmed(rest.substr(slash + 1)))) {
            symbol.bass = bass;
            rest = rest.substr(0, slash);
        }
    }
    const auto known = byKey_.find(canonicalKey(rest));
    if (known == byKey_.end()) {
        error = "unknown chord '" + trimmed(text) + "'; the closest we know: " +
                closest(rootText, trimmed(rest), {suffixes_.begin(), suffixes_.end()});
        return std::nullopt;
    }
    symbol.suffix = known->second;
    return symbol;
}

std::string CFChordSymbols::closest(const std::string& root, const std::string& suffix,
                                    const std::vector<std::string>& candidates) {
    static constexpr std::size_t kShown = 3;
    const std::string key = canonicalKey(suffix);
    std::vector<std::pair<std::size_t, std::string>> ranked;
    for (const std::string& candidate : candidates) {
        ranked.emplace_back(editDistance(key, canonicalKey(candidate)), candidate);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string text;
    for (std::size_t i = 0; i < ranked.size() && i < kShown; ++i) {
        text += (i ? ", " : "") + root + ranked[i].second;
    }
    return text;
}

} // namespace fretkit
