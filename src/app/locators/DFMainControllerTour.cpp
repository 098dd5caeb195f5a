#include "DFMainController.h"
#include "TourSteps.h"

bool DFMainController::walkTour(TourSteps&) {
    return true;
}
