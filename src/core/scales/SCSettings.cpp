#include "SCSettings.h"

#include "foundation/PlistValue.h"
#include "foundation/UserDefaults.h"

void SCSettings::registerDefaults(fretkit::UserDefaults& defaults) {
    defaults.registerDefaults(fretkit::PlistValue::dictionary({
        {kRootIndexKey, 5},
        {kGroupKey, 0},
        {kTypeKey, 0},
        {kTuningKey, 0},
        {kDetuneKey, 0},
        {kAllowStretchedKey, false},
        {kFingerLabelsKey, 0},
        {kLeftHandedKey, false},
        {kPlayAllNotesKey, false},
        {kPlaybackSpeedKey, 0.5f},
    }));
}
