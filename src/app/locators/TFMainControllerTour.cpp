#include "TFMainController.h"
#include "TourSteps.h"

bool TFMainController::walkTour(TourSteps&) {
    return true;
}
