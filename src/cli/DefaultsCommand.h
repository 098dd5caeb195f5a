#pragma once

#include "CliCommand.h"

// `fretkit defaults`: reads and changes the stored settings, the same store the app uses.
class DefaultsCommand {
public:
    static CliCommand command();
};
