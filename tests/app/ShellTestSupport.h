#pragma once

#include "ScreenTestSupport.h"
#include "support/TempDir.h"

#include <cstdlib>

// The shell's tests read the app's own bundle (the build's, named by FRETKIT_BUNDLE) and keep
// their settings in a private file, set before anything opens the settings store.
inline const TempDir& shellTestSettings() {
    static const TempDir* folder = [] {
        auto* dir = new TempDir;
        setenv("FRETKIT_DEFAULTS", dir->file("defaults.plist").c_str(), 1);
        return dir;
    }();
    return *folder;
}

inline QApplication& shellApplication() {
    shellTestSettings();
    return screenApplication();
}

// Settled before main(): no test can open the real settings file, whatever it makes first.
inline const bool kShellTestSettingsReady = (shellTestSettings(), true);
