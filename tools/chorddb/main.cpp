// Generates the chord file of the bundle from the chord formulas and the shape book:
//   fretkit_chorddb FORMULAS SHAPES OUTPUT
// Prints how many shapes it wrote and how long it took; fails when a formula or a book line is
// wrong, a named variant has no formula, a chord gets no shape or the file cannot be written.

#include "ChordDbGenerator.h"
#include "ChordDbWriter.h"
#include "foundation/FileIO.h"

#include <chrono>
#include <cstdio>

using namespace fretkit;

namespace {

std::optional<std::string> readFile(const char* path) {
    std::string error;
    std::optional<std::string> text = FileIO::readAll(path, &error);
    if (!text) {
        std::fprintf(stderr, "fretkit_chorddb: %s\n", error.c_str());
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: fretkit_chorddb FORMULAS SHAPES OUTPUT\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::optional<std::string> formulaText = readFile(argv[1]);
    const std::optional<std::string> bookText = readFile(argv[2]);
    if (!formulaText || !bookText) {
        return 1;
    }
    std::string error;
    const std::map<unsigned, ChordFormula> formulas = ChordFormula::parse(*formulaText, error);
    if (formulas.empty()) {
        std::fprintf(stderr, "fretkit_chorddb: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const std::optional<ShapeBook> book = ShapeBook::parse(*bookText, error);
    if (!book) {
        std::fprintf(stderr, "fretkit_chorddb: %s: %s\n", argv[2], error.c_str());
        return 1;
    }
    bool failed = false;
    for (unsigned variant : ChordDbGenerator::variantsWithoutFormula(formulas)) {
        std::fprintf(stderr, "fretkit_chorddb: no formula for variant %u\n", variant);
        failed = true;
    }
    for (unsigned line : ChordDbGenerator::linesFittingNoChord(*book, formulas)) {
        std::fprintf(stderr,
                     "fretkit_chorddb: %s: line %u: the shape, where it is written, sounds no "
                     "chord of the formulas or cannot be held\n",
                     argv[2], line);
        failed = true;
    }
    if (failed) {
        return 1;
    }
    const ChordDbGenerator::Result result = ChordDbGenerator::generate(formulas, *book);
    for (const std::string& name : result.empty) {
        std::fprintf(stderr, "fretkit_chorddb: no playable shape for %s\n", name.c_str());
    }
    if (!result.empty.empty()) {
        return 1;
    }
    if (!ChordDbWriter::write(argv[3], result.rows, error)) {
        std::fprintf(stderr, "fretkit_chorddb: %s\n", error.c_str());
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("fretkit_chorddb: %zu shapes for %u chords (%.1f a chord) in %.2f s\n",
                result.rows.size(), result.chords,
                static_cast<double>(result.rows.size()) / result.chords, took.count());
    return 0;
}
