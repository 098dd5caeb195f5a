// Generates the chord file of the bundle from the chord formulas:
//   fretkit_chorddb FORMULAS OUTPUT
// Prints how many shapes it wrote and how long it took; fails when a formula is wrong, a named
// variant has none, a chord gets no shape or the file cannot be written.

#include "ChordDbGenerator.h"
#include "ChordDbWriter.h"
#include "foundation/FileIO.h"

#include <chrono>
#include <cstdio>

using namespace fretkit;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fretkit_chorddb FORMULAS OUTPUT\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    const std::optional<std::string> text = FileIO::readAll(argv[1], &error);
    if (!text) {
        std::fprintf(stderr, "fretkit_chorddb: %s\n", error.c_str());
        return 1;
    }
    const std::map<unsigned, ChordFormula> formulas = ChordFormula::parse(*text, error);
    if (formulas.empty()) {
        std::fprintf(stderr, "fretkit_chorddb: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const std::vector<unsigned> missing = ChordDbGenerator::variantsWithoutFormula(formulas);
    for (unsigned variant : missing) {
        std::fprintf(stderr, "fretkit_chorddb: no formula for variant %u\n", variant);
    }
    const ChordDbGenerator::Result result = ChordDbGenerator::generate(formulas);
    for (const std::string& name : result.empty) {
        std::fprintf(stderr, "fretkit_chorddb: no playable shape for %s\n", name.c_str());
    }
    if (!missing.empty() || !result.empty.empty()) {
        return 1;
    }
    if (!ChordDbWriter::write(argv[2], result.rows, error)) {
        std::fprintf(stderr, "fretkit_chorddb: %s\n", error.c_str());
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("fretkit_chorddb: %zu shapes for %u chords (%.1f a chord) in %.2f s\n",
                result.rows.size(), result.chords,
                static_cast<double>(result.rows.size()) / result.chords, took.count());
    return 0;
}
