#pragma once

#include <string>
#include <vector>

namespace fretkit {

class UserDefaults;

// The chord the chords screen's picker has chosen: a root, a family (Maj, Min, Dom, Dim) and
// one of the family's variants. The picker's three columns list the 15 roots it offers, the
// four families and the chosen family's variants, each in ascending order of the index a row
// stands for. The choice starts from the stored "CH_root" and "CH_variant" and stores every
// change back at once.
class CHChordChoice {
public:
    enum Column { kRootColumn = 0, kFamilyColumn = 1, kVariantColumn = 2 };
    static constexpr unsigned kNotFound = 2147483647;
    static constexpr unsigned kDefaultRoot = 13; // E
    static constexpr unsigned kDefaultVariant = 0;

    // Reads the stored choice; a root or variant the picker does not offer gives way to the
    // default (E, triad), so that the picker always shows what is chosen.
    explicit CHChordChoice(UserDefaults& defaults);
    // Reads the stored choice again.
    void load();

    // The spelled-note indexes offered as roots: Ab, A, Bb, B, Cb, C, C#, Db, D, Eb, E, F, F#,
    // Gb, G.
    static const std::vector<unsigned>& roots();
    // Where `value` stands in the ascending `members` (0-based), or kNotFound.
    static unsigned indexOfIndex(const std::vector<unsigned>& members, unsigned value);
    // The member at `position`, or kNotFound past the end.
    static unsigned indexAtIndex(const std::vector<unsigned>& members, unsigned position);

    unsigned root() const { return root_; }
    unsigned family() const { return family_; }
    unsigned variant() const { return variant_; }
    // The chord's name as the screen shows it: "E Maj triad".
    std::string chordName() const;

    int numberOfRows(int column) const;
    std::string titleForRow(int row, int column) const;
    // The row of each column that shows the choice.
    int selectedRow(int column) const;

    // A row chosen in a column. The root and the variant are stored; another family resets
    // the variant to its first (stored too). Answers whether the chosen chord changed: choosing
    // the family already chosen, or a row that does not exist, changes nothing.
    bool selectRow(int row, int column);

private:
    const std::vector<unsigned>& familyVariants() const;

    UserDefaults& defaults_;
    unsigned root_ = kDefaultRoot;
    unsigned family_ = 0;
    unsigned variant_ = kDefaultVariant;
};

} // namespace fretkit
