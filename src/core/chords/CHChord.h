#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fretkit {

// One playable shape of one chord as the chord file stores it: root and variant, the fret the
// shape's window starts at, and per string (0 = thickest) the finger, the fret code, a mark and
// the spelled note sounded.
class CHChord {
public:
    static constexpr unsigned kNotFound = 2147483647;
    static constexpr unsigned kStrings = 6;
    static constexpr unsigned kColumns = 27;
    static constexpr unsigned kMutedCode = 5;
    static constexpr unsigned kOpenCode = 6;

    struct String {
        unsigned finger = 0;
        unsigned fret = kMutedCode; // code: 0-4 fretted at baseFret + code, 5 muted, 6 open
        bool optional = false;
        unsigned note = 0; // spelled-note index
    };

    CHChord() = default;
    CHChord(unsigned root, unsigned variant, unsigned baseFret,
            const std::array<String, kStrings>& strings);

    // A chord from one row of the chord table (columns in file order), or nullopt with the
    // reason in `problem` when a value lies outside what the columns may hold.
    static std::optional<CHChord> fromColumns(const std::array<std::int64_t, kColumns>& columns,
                                              std::string* problem = nullptr);

    unsigned root() const { return root_; }
    void setRoot(unsigned root) { root_ = root; }
    unsigned variant() const { return variant_; }
    void setVariant(unsigned variant) { variant_ = variant; }
    unsigned baseFret() const { return baseFret_; }
    void setBaseFret(unsigned baseFret) { baseFret_ = baseFret; }
    const String& string(unsigned s) const { return strings_.at(s); }

    unsigned fretForString(unsigned s) const;
    unsigned fingerForString(unsigned s) const;
    bool mutedString(unsigned s) const;
    bool openString(unsigned s) const;
    unsigned fretForFinger(unsigned finger) const;
    // The fretted strings held by `finger`, rising; nullopt for a finger above 4.
    std::optional<std::vector<unsigned>> stringsForFinger(unsigned finger) const;
    unsigned noteForString(unsigned s) const;
    // The string's note spelled on the degree its interval name gives ("--" when muted): the
    // root's letter moved up that degree, with the accidentals the pitch needs (Bbb for the
    // diminished seventh of C, where the stored note says A).
    std::string noteNameForString(unsigned s) const;
    std::string intervalNameForString(unsigned s) const;
    unsigned stringIndexOfRoot() const;
    std::string description() const;

private:
    bool fretted(unsigned s) const { return s < kStrings && strings_[s].fret < kMutedCode; }
    // Pitch classes from the root up to `note`, 0-11.
    unsigned semitonesAboveRoot(unsigned note) const;

    unsigned root_ = 0;
    unsigned variant_ = 0;
    unsigned baseFret_ = 0;
    std::array<String, kStrings> strings_{};
};

} // namespace fretkit
