#pragma once

#include <iosfwd>

struct TNTunerResult;

// Writes the tuner's accepted estimates as CSV: the header "time,frequency,quality,note,cents",
// then one line per note: the time in seconds from the start of the input (the end of the
// analysed frame), the estimated frequency in Hz, the quality, the chromatic note with its octave
// (the string's number under a tuning) and the signed offset in cents with one decimal.
class TuneCsvWriter {
public:
    TuneCsvWriter(std::ostream& out, double sampleRate) : out_(out), sampleRate_(sampleRate) {}

    void writeHeader();
    // Writes a line for a result that carries a note; answers whether it did.
    bool write(const TNTunerResult& result);

private:
    std::ostream& out_;
    double sampleRate_;
};
