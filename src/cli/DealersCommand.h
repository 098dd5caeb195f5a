#pragma once

#include "CliCommand.h"

// `fretkit dealers`: searches the dealer service for every brand, by country or by United States
// postal code, and prints the merged list nearest first.
class DealersCommand {
public:
    static CliCommand command();
};
