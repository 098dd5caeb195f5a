#pragma once

#include <iosfwd>

class Cli;

// The manual page of `fretkit` in roff, written from the same commands and prose as `--help`.
class CliManPage {
public:
    static void write(const Cli& cli, std::ostream& stream);
};
