#include "ChordChoice.h"

#include "ChordsCommand.h"
#include "CliOptions.h"
#include "chordfinder/CFChordSymbols.h"
#include "chords/CHNoteTables.h"
#include "chords/CHVariantFamily.h"
#include "chords/CHVariantSymbols.h"
#include "foundation/Bundle.h"

#include <algorithm>

using fretkit::CFChordSymbols;
using fretkit::CHChord;
using fretkit::CHNoteTables;
using fretkit::CHVariantFamily;
using fretkit::CHVariantSymbols;

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

// "E Maj triad" and "A 49" give a family or an index after the root; anything else is a symbol.
bool namesAFamily(const std::vector<std::string>& words) {
    if (words.size() < 2) {
        return false;
    }
    if (CliOptions::parseInteger(words[1])) {
        return true;
    }
    const std::string word = CliOptions::lowercase(words[1]);
    return words.size() > 2 &&
           std::any_of(CHVariantFamily::all().begin(), CHVariantFamily::all().end(),
                       [&](const auto& family) {
                           return CliOptions::lowercase(family.shortName) == word ||
                                  CliOptions::lowercase(family.fullName) == word;
                       });
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

std::optional<ChordChoice> fromFamily(const std::vector<std::string>& words, std::string& error) {
    const auto root = ChordsCommand::parseRoot(words[0]);
    if (!root) {
        error = "unknown root '" + words[0] + "'; write it like E, Bb or F#";
        return std::nullopt;
    }
    const auto variant = ChordsCommand::parseVariant({words.begin() + 1, words.end()}, error);
    if (!variant) {
        return std::nullopt;
    }
    return ChordChoice{*root, *variant, std::nullopt};
}

std::optional<ChordChoice> fromSymbol(const std::string& text, std::string& error, int& status) {
    const std::optional<fretkit::PlistValue> descriptions =
        fretkit::Bundle::main().propertyList("CFChords");
    if (!descriptions) {
        status = kFailure;
        error = "chord symbols need the chord descriptions (CFChords.plist), missing from " +
                fretkit::Bundle::main().resourcePath() + "; give a root and a family instead, " +
                "e.g. E Maj triad";
        return std::nullopt;
    }
    const auto symbol = CFChordSymbols(*descriptions).parse(text, error);
    if (!symbol) {
        return std::nullopt;
    }
    if (const auto variant = CHVariantSymbols::variantOfSymbol(symbol->suffix)) {
        return ChordChoice{symbol->root, *variant, symbol->bass};
    }
    std::vector<std::string> stocked;
    for (unsigned v = 0; v < CHNoteTables::kVariantCount; ++v) {
        if (const auto stockedSymbol = CHVariantSymbols::symbolOfVariant(v)) {
            stocked.push_back(*stockedSymbol);
        }
    }
    const std::string root = CHNoteTables::noteNames().at(symbol->root);
    error = root + symbol->suffix + " has no shapes in the chord database; the closest it has: " +
            CFChordSymbols::closest(root, symbol->suffix, stocked);
    return std::nullopt;
}

} // namespace

std::optional<ChordChoice> ChordChoice::parse(const std::vector<std::string>& words,
                                              std::string& error, int& status) {
    status = kUsage;
    if (words.empty()) {
        error = "give a chord, e.g. Cmaj7, F#m7b5, C/E or E Maj triad";
        return std::nullopt;
    }
    return namesAFamily(words) ? fromFamily(words, error)
                               : fromSymbol(joined(words), error, status);
}

std::string ChordChoice::name() const {
    const auto* family = CHVariantFamily::familyOfVariant(variant);
    return CHNoteTables::noteNames().at(root) + " " + (family ? family->shortName : "?") + " " +
           CHNoteTables::variantNames().at(variant).value_or("");
}

std::string ChordChoice::symbol() const {
    std::string text = CHNoteTables::noteNames().at(root) +
                       CHVariantSymbols::symbolOfVariant(variant).value_or("");
    return bass ? text + " / " + CHNoteTables::noteNames().at(*bass) : text;
}

std::vector<CHChord> ChordChoice::shapes(fretkit::CHDatabase& database) const {
    std::vector<CHChord> chords =
        database.chordsForRoot(static_cast<int>(root), static_cast<int>(variant));
    if (bass) {
        std::erase_if(chords, [&](const CHChord& chord) {
            for (unsigned s = 0; s < CHChord::kStrings; ++s) {
                if (!chord.mutedString(s)) {
                    return CHNoteTables::chromatic(chord.noteForString(s)) !=
                           CHNoteTables::chromatic(*bass);
                }
            }
            return true;
        });
    }
    return chords;
}
