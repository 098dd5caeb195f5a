#pragma once

#include "chordfinder/CFChordNamer.h"

#include <sstream>
#include <string>

// A fingering written the way guitarists write it, thickest string first: "x32010", or with
// separated tokens for frets above 9: "8 x 7 9 8 x".
struct ChordShape {
    std::array<unsigned, 6> frets{};
    std::array<bool, 6> mutes{};

    explicit ChordShape(const std::string& text) {
        std::istringstream in(text.find(' ') == std::string::npos ? spaced(text) : text);
        std::string token;
        for (unsigned s = 0; s < 6 && in >> token; ++s) {
            mutes[s] = token == "x";
            frets[s] = mutes[s] ? 0 : static_cast<unsigned>(std::stoul(token));
        }
    }

    static std::string spaced(const std::string& compact) {
        std::string text;
        for (char c : compact) {
            text += c;
            text += ' ';
        }
        return text;
    }
};

constexpr std::array<int, 6> kStandardTuning = {64, 59, 55, 50, 45, 40};
