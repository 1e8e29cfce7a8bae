#include "App/ProgramSetup.h"

#include "Core/AppDelegate/LaunchOptions.h"
#include "Support/BundleIdentifier.h"

#include <cstdlib>
#include <system_error>

namespace tessarin {

namespace {

bool isSetAndNotEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

bool hasDisplay() {
    return isSetAndNotEmpty("DISPLAY") || isSetAndNotEmpty("WAYLAND_DISPLAY");
}

ScenarioParseResult programScenario(const std::vector<std::string>& arguments) {
    if (const auto file = LaunchOptions::argumentValue("--scenario", arguments)) {
        return loadScenarioFile(*file);
    }
    return ScenarioParseResult{Scenario::defaultScenario(), {}};
}

std::optional<std::filesystem::path> programDefaultsFile() {
    std::filesystem::path folder;
    if (isSetAndNotEmpty("XDG_CONFIG_HOME")) {
        folder = std::getenv("XDG_CONFIG_HOME");
    } else if (isSetAndNotEmpty("HOME")) {
        folder = std::filesystem::path(std::getenv("HOME")) / ".config";
    } else {
        return std::nullopt;
    }
    folder /= "Tessarin";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return std::nullopt;
    }
    return folder / (std::string(kBundleIdentifier) + ".json");
}

std::string describeSnapshotFailure(const OSDWindowSnapshotFailure& failure) {
    switch (failure.error) {
    case OSDWindowSnapshotError::noVisibleGridWindow:
        return "no visible grid window";
    case OSDWindowSnapshotError::cannotCreateBitmap:
        return "cannot create the bitmap";
    case OSDWindowSnapshotError::cannotEncodePNG:
        return "cannot encode the PNG";
    case OSDWindowSnapshotError::fileSystem:
        return failure.description;
    }
    return failure.description;
}

} // namespace tessarin
