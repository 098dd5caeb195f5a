#pragma once

#include "CliCommand.h"

// `fretkit teachers`: searches the teacher service for an instrument, by country or near a
// United States postal code, and prints the teachers nearest first.
class TeachersCommand {
public:
    static CliCommand command();
};
