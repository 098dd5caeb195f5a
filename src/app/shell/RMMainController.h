#pragma once

#include "BZMainController.h"

// A tool screen that adds nothing to the base: a home row may name it. Its settings list is
// "RMSettings".
class RMMainController : public BZMainController {
public:
    RMMainController() : BZMainController(QStringLiteral("RMMainController")) {}
};
