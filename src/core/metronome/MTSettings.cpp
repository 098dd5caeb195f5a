#include "MTSettings.h"

#include "MTClickFormat.h"
#include "foundation/Bundle.h"
#include "foundation/FileIO.h"
#include "foundation/PlistValue.h"
#include "foundation/UserDefaults.h"

#include <algorithm>
#include <filesystem>

void MTSettings::registerDefaults(fretkit::UserDefaults& defaults) {
    const fretkit::PlistValue values = fretkit::PlistValue::dictionary({
        {kTempoKey, 120},
        {kMovementStyleKey, 1},
        {kFlashOnBarKey, false},
        {kTimeSignatureKey, 0},
        {kSoundNameKey, kDefaultSoundName},
    });
    defaults.registerDefaults(values);
}

std::optional<std::vector<std::int16_t>>
MTSettings::loadClick(const fretkit::Bundle& bundle, const std::string& name, std::string* error) {
    const auto path = bundle.pathForResource(name, kClickType);
    if (!path) {
        if (error != nullptr) {
            *error = "no click sound named '" + name + "'";
        }
        return std::nullopt;
    }
    const auto bytes = fretkit::FileIO::readAll(*path, error);
    if (!bytes) {
        return std::nullopt;
    }
    return MTClickFormat::decode(*bytes);
}

std::vector<std::string> MTSettings::clickNames(const fretkit::Bundle& bundle) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(bundle.resourcePath(), ec)) {
        if (entry.path().extension() == std::string(".") + kClickType) {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}
