#pragma once

#include "CliCommand.h"

// `fretkit serve`: runs the local dealer, teacher and map services until interrupted.
class ServeCommand {
public:
    static CliCommand command();
};
