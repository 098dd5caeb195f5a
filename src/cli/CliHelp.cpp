#include "CliHelp.h"

#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "host/AudioDeviceLayer.h"
#include "locators/LocatorServices.h"

const char* CliHelp::description() {
    return "A tool suite for six-string fretted instruments.";
}

const std::vector<CliHelp::Entry>& CliHelp::environment() {
    static const std::vector<Entry> entries{
        {fretkit::host::AudioDeviceOptions::kDriverVariable,
         "the audio device: portaudio (the sound card), virtual or file"},
        {fretkit::host::AudioDeviceOptions::kInputVariable,
         "the WAV or AIFF file the file driver hears"},
        {fretkit::host::AudioDeviceOptions::kOutputVariable, "the WAV file the file driver writes"},
        {fretkit::host::AudioDeviceOptions::kFastVariable,
         "1: the file driver runs as fast as it can"},
        {fretkit::UserDefaults::kEnvironmentVariable,
         "the settings file (default: $XDG_CONFIG_HOME/fretkit/defaults.plist)"},
        {fretkit::Bundle::kEnvironmentVariable, "the folder of resources the tool reads"},
        {fretkit::LocatorServices::kDealerVariable, "the address of the dealer service"},
        {fretkit::LocatorServices::kTeacherVariable, "the address of the teacher service"},
        {fretkit::LocatorServices::kMapVariable, "the address of the map service"},
    };
    return entries;
}

const std::vector<CliHelp::Entry>& CliHelp::exitStatus() {
    static const std::vector<Entry> entries{
        {"0", "success"},
        {"1", "a failure, reported on standard error"},
        {"2", "a usage error: an unknown command or a wrong argument"},
    };
    return entries;
}
