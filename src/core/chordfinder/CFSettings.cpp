#include "CFSettings.h"

#include "foundation/PlistValue.h"
#include "foundation/UserDefaults.h"

void CFSettings::registerDefaults(fretkit::UserDefaults& defaults) {
    defaults.registerDefaults(fretkit::PlistValue::dictionary({
        {kTuningKey, 0},
        {kDetuneKey, 0},
        {kLeftHandedKey, false},
    }));
}
