#include "CHSettings.h"

#include "foundation/PlistValue.h"
#include "foundation/UserDefaults.h"

void CHSettings::registerDefaults(fretkit::UserDefaults& defaults) {
    defaults.registerDefaults(fretkit::PlistValue::dictionary({
        {kRootKey, 13},
        {kVariantKey, 0},
        {kLeftHandedKey, false},
        {kIntervalsKey, false},
    }));
}
